#pragma once
// Ownership of the replies xcb hands out, which are freed with free().

#include <cstdlib>
#include <memory>

namespace tarvo::platform::x11 {

struct TFreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

template <class Reply>
using TReply = std::unique_ptr<Reply, TFreeReply>;

} // namespace tarvo::platform::x11
