// The thread's COM apartment, for the system services that need one (picture decoding, the
// Explorer-style file dialogs).
#pragma once

namespace moravel {

// Joins the calling thread to a single-threaded apartment the first time it is called on that
// thread; the apartment is left when the thread ends. A thread that is already in an apartment
// of another kind stays in it (the services work there too). False when COM cannot be used on
// this thread at all.
bool EnsureComApartment();

}  // namespace moravel
