#include "platform/pixel_buffer.h"

#ifdef Q_OS_LINUX
#include <sys/mman.h>

#include <cstdint>
#endif

namespace pixel_buffer {

#ifdef Q_OS_LINUX
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below this the ordinary allocator's few faults cost less than a mapping.
constexpr std::size_t kWorthIt = std::size_t(512) << 10;

struct Mapping
{
    void *start;
    std::size_t length;
};

void Unmap(void *info)
{
    auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->start, mapping->length);
    delete mapping;
}

} // namespace
#endif

QImage Image(QSize pixels, QImage::Format format)
{
    if (pixels.isEmpty())
        return {};
#ifdef Q_OS_LINUX
    const int depth = QImage::toPixelFormat(format).bitsPerPixel();
    // Rows 32-bit aligned, as QImage wants them.
    const qsizetype bytesPerLine = ((qsizetype(pixels.width()) * depth + 31) / 32) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(pixels.height());
    if (depth > 0 && bytes >= kWorthIt && bytes / std::size_t(bytesPerLine) == std::size_t(pixels.height())) {
        // Huge pages cover whole 2 MB blocks on 2 MB boundaries: map one block
        // more than the image needs, which costs nothing until touched, and
        // advise the aligned whole blocks.
        const std::size_t blocks = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        const std::size_t length = blocks + kHugePage;
        void *start = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (start != MAP_FAILED) {
            auto *aligned = reinterpret_cast<uchar *>(
                (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1));
            // Only advice: without huge pages the memory is still good.
            madvise(aligned, blocks, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
            // All of it is written at once anyway: one call instead of a
            // fault per page, which also halves the cost where huge pages
            // are turned off (Linux 5.14 and later; older kernels refuse).
            madvise(aligned, bytes, MADV_POPULATE_WRITE);
#endif
            auto *mapping = new Mapping{start, length};
            QImage image(aligned, pixels.width(), pixels.height(), bytesPerLine, format, &Unmap, mapping);
            if (!image.isNull())
                return image;
            Unmap(mapping);
        }
    }
#endif
    return QImage(pixels, format);
}

} // namespace pixel_buffer
