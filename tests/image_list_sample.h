// A real image list in the block form that the template carries.
#pragma once

#include <windows.h>
// ImageList_Write is declared only where IStream is known.
#include <objbase.h>
#include <commctrl.h>

#include "ui/template/listview_blob.h"

// An image list block as the template carries it: "MITL", four bytes, then
// what ImageList_Write writes.
inline Bytes ImageListBlock(int count) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, count, 0);
  ImageList_SetImageCount(list, count);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  ImageList_Write(list, stream);
  ImageList_Destroy(list);
  HGLOBAL memory = nullptr;
  GetHGlobalFromStream(stream, &memory);
  LARGE_INTEGER zero{};
  ULARGE_INTEGER end{};
  stream->Seek(zero, STREAM_SEEK_END, &end);
  Bytes block = {'M', 'I', 'T', 'L', 0, 0, 0, 0};
  auto p = static_cast<const uint8_t*>(GlobalLock(memory));
  block.insert(block.end(), p, p + end.QuadPart);
  GlobalUnlock(memory);
  stream->Release();
  return block;
}
