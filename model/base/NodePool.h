// Storage for the nodes of the record lists. A collection holds hundreds of thousands of records, each
// in its own list node; taking every node from the general heap made the heap's bookkeeping a large part
// of loading. Here the nodes of one list are cut from large blocks, and a node given back is kept on a
// free list for the next one. The blocks go back to the heap when the list (every copy of its allocator)
// is gone.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace cl {

// Equal-sized nodes cut from blocks of growing size (up to kMaxBlockNodes nodes each).
class NodePool {
  public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    // Storage for one node of `size` bytes aligned to `align`, or nullptr when the pool serves another
    // size or alignment than the one it was first asked for (the caller then uses the heap).
    void* Take(std::size_t size, std::size_t align) {
        if (stride_ == 0) {
            if (align > alignof(std::max_align_t)) return nullptr;
            stride_ = (size + align - 1) / align * align;
            if (stride_ < sizeof(FreeNode)) stride_ = sizeof(FreeNode);
            size_ = size;
            align_ = align;
        } else if (size != size_ || align != align_) {
            return nullptr;
        }
        if (free_ != nullptr) {
            FreeNode* node = free_;
            free_ = node->next;
            return node;
        }
        if (next_ == end_) AddBlock();
        std::byte* node = next_;
        next_ += stride_;
        return node;
    }

    // Takes back a node that Take handed out.
    void Give(void* node) {
        auto* freed = static_cast<FreeNode*>(node);
        freed->next = free_;
        free_ = freed;
    }

    bool Serves(std::size_t size, std::size_t align) const { return stride_ != 0 && size == size_ && align == align_; }

  private:
    struct FreeNode {
        FreeNode* next;
    };
    static constexpr std::size_t kFirstBlockNodes = 16;
    static constexpr std::size_t kMaxBlockNodes = 4096;

    void AddBlock() {
        const std::size_t nodes = blockNodes_;
        if (blockNodes_ < kMaxBlockNodes) blockNodes_ *= 2;
        // The heap's blocks are aligned for any fundamental type, and every stride is a multiple of the
        // alignment, so every node in the block is aligned.
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(nodes * stride_));
        next_ = blocks_.back().get();
        end_ = next_ + nodes * stride_;
    }

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    FreeNode* free_ = nullptr;
    std::size_t stride_ = 0;
    std::size_t size_ = 0;
    std::size_t align_ = 0;
    std::size_t blockNodes_ = kFirstBlockNodes;
};

// An allocator for node-based containers that takes single nodes from a NodePool shared by all its
// copies; anything else (and a second node size) comes from the heap. It moves with its container, so a
// moved list keeps its nodes where they are.
template <typename T>
class PoolAllocator {
  public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;
    using is_always_equal = std::false_type;

    PoolAllocator() : pool_(std::make_shared<NodePool>()) {}
    template <typename U>
    PoolAllocator(const PoolAllocator<U>& other) noexcept : pool_(other.pool_) {}

    T* allocate(std::size_t n) {
        if (n == 1) {
            if (void* node = pool_->Take(sizeof(T), alignof(T))) return static_cast<T*>(node);
        }
        return std::allocator<T>().allocate(n);
    }

    void deallocate(T* p, std::size_t n) noexcept {
        if (n == 1 && pool_->Serves(sizeof(T), alignof(T))) {
            pool_->Give(p);
            return;
        }
        std::allocator<T>().deallocate(p, n);
    }

    template <typename U>
    bool operator==(const PoolAllocator<U>& other) const noexcept {
        return pool_ == other.pool_;
    }

  private:
    template <typename U>
    friend class PoolAllocator;

    std::shared_ptr<NodePool> pool_;
};

}  // namespace cl
