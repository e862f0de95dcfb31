// Image list blocks of the list view's data: the magic "MITL", four bytes
// that are skipped, then an image list in the stream form of ImageList_Read.
#pragma once

#include <windows.h>
// ImageList_Read is declared only where IStream is known.
#include <objbase.h>
#include <commctrl.h>

#include "ui/template/listview_blob.h"

inline constexpr uint32_t kImageListMagic = 0x4C54494D;  // "MITL" read little-endian

// A new image list owned by the caller, or null when the block is 8 bytes
// or less, carries another magic, or does not read as an image list.
HIMAGELIST ReadImageListBlock(const Bytes& block);

// Number of images; 0 for null.
int ImageCount(HIMAGELIST list);
