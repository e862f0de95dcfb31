// ImageList_Read wants an IStream, so the block's stream part is copied into
// a movable global block and read through CreateStreamOnHGlobal.
#include "ui/listview/image_list_block.h"

#include <cstring>

HIMAGELIST ReadImageListBlock(const Bytes& block) {
  if (block.size() <= 8) return nullptr;
  uint32_t magic = block[0] | block[1] << 8 | block[2] << 16 | static_cast<uint32_t>(block[3]) << 24;
  if (magic != kImageListMagic) return nullptr;

  size_t n = block.size() - 8;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, n);
  if (!memory) return nullptr;
  if (void* p = GlobalLock(memory)) {
    memcpy(p, block.data() + 8, n);
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  // The stream owns the memory from here on (fDeleteOnRelease).
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  HIMAGELIST list = ImageList_Read(stream);
  stream->Release();
  return list;
}

int ImageCount(HIMAGELIST list) { return list ? ImageList_GetImageCount(list) : 0; }
