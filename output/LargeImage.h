#pragma once

#include <QImage>
#include <QSize>

// An image of many megabytes whose memory the system hands over in pages
// of 2 MB where it can (transparent huge pages) rather than 4 kB: a
// 1920 x 1080 canvas then costs four page faults instead of two thousand,
// which on a virtual machine take longer than drawing the whole chart.
namespace LargeImage {

// A null image when the memory cannot be had.
QImage Create(QSize size, QImage::Format format);

} // namespace LargeImage
