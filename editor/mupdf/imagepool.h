#pragma once

#include <QImage>

namespace pxv::mu {

// Page images of opaque white RGB32 whose memory may be that of a page image freed before.
// Scrolling draws images of the same few sizes again and again, and fresh memory for each costs
// more than drawing the page: the kernel maps and zeroes every 4 KiB of it on first touch.

// The pixels of such an image, width × height of 4 bytes, rows width × 4 bytes apart; null when
// there is not enough memory. Never throws, so it may be called where MuPDF errors longjmp.
// They become an image with pooledImage(), or go back with givePixelsBack().
unsigned char* takeWhitePixels(int width, int height);
QImage pooledImage(unsigned char* pixels, int width, int height);
void givePixelsBack(unsigned char* pixels);

// Gives the kept memory back to the allocator, for a trim to hand it to the system.
void dropPooledImageMemory();

} // namespace pxv::mu
