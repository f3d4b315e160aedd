#include "core/app/UsageAnnouncer.h"

#include <cstdlib>

#include "core/app/Texts.h"

namespace moravel {

std::string_view UsageAnnouncer::Name() {
    return Localised("CPU使用率");
}

bool UsageAnnouncer::Update(std::int32_t usage) {
    if (announced_ && std::abs(std::int64_t{usage} - *announced_) < kStep) {
        return false;
    }
    announced_ = usage;
    return true;
}

bool UsageAnnouncer::Focus(std::int32_t usage) {
    announced_ = usage;
    return true;
}

std::string UsageAnnouncer::ValueText() const {
    return std::to_string(announced_.value_or(0)) + " %";
}

}  // namespace moravel
