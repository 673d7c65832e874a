#pragma once
// While one of these lives, every allocation through operator new on this thread throws
// std::bad_alloc: the one way to make code fail that can fail only when memory runs out.

namespace tellurane::support {

class FailingAllocations {
public:
    FailingAllocations() noexcept;
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

}  // namespace tellurane::support
