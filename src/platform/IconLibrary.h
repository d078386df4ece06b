#pragma once
// Reads the icons of icon libraries (.icl and 16-bit .dll/.exe: the NE format), of programs and
// DLLs (PE32 and PE32+) and of icon files (.ico). A library holds icon groups; each group is one
// icon in several sizes and colour depths. Icons are numbered from 0 in the order the file lists
// its groups; an .ico file is one icon. The icon tool counts them and takes one picture by index
// at the system icon size, the way the desktop shell extracts icons.
//
// All functions work on the file's bytes and never fail: a damaged or foreign file has no icons
// and a damaged picture is a null image. Cost stays linear in the file's size.

#include <QByteArray>
#include <QImage>

// The size icons are shown at (the system icon size), in pixels.
constexpr int SystemIconSize = 32;

// The number of icons in the file; 0 for a file that holds none or cannot be read.
int IconCount(const QByteArray& file);

// Icon `index` as a picture of `size` x `size` pixels: the group's image that fits the size best
// (that size exactly with the most colours, else the nearest larger, else the largest), scaled
// when it is not that size. A null image when the index is out of range or the image is damaged.
QImage IconPicture(const QByteArray& file, int index, int size = SystemIconSize);

// Icon `index` as a whole .ico file with every size of its group; empty when out of range or
// damaged. The .icl writer reads these back, tests compare them with other readers.
QByteArray IconFile(const QByteArray& file, int index);
