#pragma once
// The Windows error number a platform call failed with, or 0 when it did not fail.

#include "platform/values/values.hpp"

#include <functional>

namespace test_support {

inline int error_number_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const vb::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace test_support
