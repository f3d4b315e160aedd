// What the save loop (SaveLoop.cpp) and the interrupted-save test share: the text of each save and
// the progress the loop reports through a shared mapping.
#pragma once

#include <cstdint>
#include <string>

#include "core/os/Encoding.h"

namespace moravel::test {

// The bytes (CP932) of save number n: a large theme-like file, Japanese included, whose first and
// last lines carry n, so that any two saves differ and a torn file matches neither. About 128 KiB,
// far more than any real theme, so that writing it takes a while.
inline std::string SaveLoopBytes(std::uint64_t n) {
    static const std::string line =
        Utf8ToAnsi("Face=\"ＭＳ ゴシック\" Usage=\"使用率\" abcdefghij\r\n");
    static const std::string body = [] {
        std::string b;
        while (b.size() < 128 * 1024) {
            b += line;
        }
        return b;
    }();
    const std::string mark = std::to_string(n);
    return Utf8ToAnsi("[Theme]\r\nTitle=\"保存 " + mark + "\"\r\n") + body + "End=" + mark + "\r\n";
}

// Written by the loop only, read by the test once the loop is dead.
struct SaveLoopProgress {
    std::uint64_t saved;        // saves finished
    std::uint64_t bytes;        // bytes written to files in the save under way
    std::uint32_t saving;       // 1 while a save is under way
    std::uint32_t wholeLength;  // bytes of a whole file
};

}  // namespace moravel::test
