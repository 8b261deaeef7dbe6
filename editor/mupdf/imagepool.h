#pragma once

#include <QImage>

namespace pxv::mu {

// An opaque white RGB32 image whose memory may be that of a page image freed before. Scrolling
// draws images of the same few sizes again and again, and fresh memory for each costs more than
// drawing the page: the kernel maps and zeroes every 4 KiB of it on first touch.
QImage newWhiteImage(int width, int height);

// Gives the kept memory back to the allocator, for a trim to hand it to the system.
void dropPooledImageMemory();

} // namespace pxv::mu
