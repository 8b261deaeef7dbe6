#include "imagepool.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace pxv::mu {

namespace {

// As much as the view's page cache holds: it frees images in bursts, and each buffer freed
// beyond the pool went back to the allocator, whose fresh pages the next images faulted in
// again. Scrolling a long manual page by page took twice the page faults and 8% more time with
// a third of this; the memory is what the allocator kept before.
constexpr size_t kMaxPooledBytes = 32u * 1024 * 1024;
// A freed buffer serves an image up to this much smaller, so that pages of slightly different
// sizes share buffers without wasting much.
constexpr size_t kMaxSlackDivisor = 4;
// The pixels start this far into a block, past its size, aligned for vector stores.
constexpr size_t kHeaderBytes = 64;

struct Block
{
    size_t bytes; // of pixels
};

unsigned char* pixelsOf(Block* block)
{
    return reinterpret_cast<unsigned char*>(block) + kHeaderBytes;
}

Block* blockOf(unsigned char* pixels)
{
    return reinterpret_cast<Block*>(pixels - kHeaderBytes);
}

class Pool
{
public:
    Block* take(size_t bytes)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            auto best = m_free.end();
            for (auto it = m_free.begin(); it != m_free.end(); ++it) {
                if ((*it)->bytes >= bytes && (*it)->bytes - bytes <= bytes / kMaxSlackDivisor
                    && (best == m_free.end() || (*it)->bytes < (*best)->bytes))
                    best = it;
            }
            if (best != m_free.end()) {
                Block* block = *best;
                m_free.erase(best);
                m_bytes -= block->bytes;
                return block;
            }
        }
        auto* block = static_cast<Block*>(std::malloc(kHeaderBytes + bytes));
        if (block)
            block->bytes = bytes;
        return block;
    }

    void give(Block* block)
    {
        if (block->bytes > kMaxPooledBytes) {
            std::free(block);
            return;
        }
        std::vector<Block*> dropped; // freed outside the lock
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_free.push_back(block);
            m_bytes += block->bytes;
            while (m_bytes > kMaxPooledBytes) { // the oldest go first
                m_bytes -= m_free.front()->bytes;
                dropped.push_back(m_free.front());
                m_free.erase(m_free.begin());
            }
        }
        std::for_each(dropped.begin(), dropped.end(), std::free);
    }

    void drop()
    {
        std::vector<Block*> dropped;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            dropped.swap(m_free);
            m_bytes = 0;
        }
        std::for_each(dropped.begin(), dropped.end(), std::free);
    }

private:
    std::mutex m_mutex;
    std::vector<Block*> m_free;
    size_t m_bytes = 0;
};

// Never deleted: images may still be freed while the program exits, after every static would
// have been destroyed.
Pool& pool()
{
    static auto* instance = new Pool;
    return *instance;
}

void giveBack(void* block)
{
    pool().give(static_cast<Block*>(block));
}

} // namespace

unsigned char* takeWhitePixels(int width, int height)
{
    if (width <= 0 || height <= 0 || size_t(width) > size_t(INT_MAX) / 4)
        return nullptr;
    const size_t bytes = size_t(width) * 4 * size_t(height);
    Block* block = nullptr;
    try {
        block = pool().take(bytes);
    } catch (...) {
        return nullptr; // the pool's lock failed: no memory for this image
    }
    if (!block)
        return nullptr;
    // Opaque white in RGB32 is every byte 0xff.
    std::memset(pixelsOf(block), 0xff, bytes);
    return pixelsOf(block);
}

QImage pooledImage(unsigned char* pixels, int width, int height)
{
    return QImage(pixels, width, height, width * 4, QImage::Format_RGB32, giveBack, blockOf(pixels));
}

void givePixelsBack(unsigned char* pixels)
{
    if (pixels)
        giveBack(blockOf(pixels));
}

void dropPooledImageMemory()
{
    pool().drop();
}

} // namespace pxv::mu
