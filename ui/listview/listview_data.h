// ListViewData: the list view's part of its template record, and the
// column and item lists inside it.
//
// The blocks (font, image lists, columns, initial items) are kept as the raw
// bytes of the template: the block properties answer them as they are, and
// write-back stores them unchanged. The column and item lists are decoded
// when they are applied to the control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/listview/blob_stream.h"
#include "ui/template/listview_blob.h"  // ListViewColumn, ListViewItemEntry and their encoders

inline constexpr uint32_t kListViewDataVersion = 1;

struct ListViewData {
  uint32_t version = kListViewDataVersion;
  int32_t borderStyle = 1;           // 0-5
  COLORREF textColor = 0;
  COLORREF textBkColor = 0xFFFFFF;   // 0xFF000000 = button face
  COLORREF bkColor = 0xFFFFFF;       // 0xFF000000 = button face
  int32_t view = 0;                  // 0 large icons, 1 small icons, 2 list, 3 report
  int32_t iconAlign = 0;             // 0 top, 1 left
  bool autoArrange = true;
  bool wrapLabels = true;
  bool hideHeader = false;
  bool sortableHeader = true;
  bool fullRowSelect = false;
  bool gridLines = false;
  bool headerDragDrop = false;
  bool hotTrack = false;
  bool handCursor = true;
  bool underlineCold = true;
  bool underlineHot = true;
  bool editLabels = false;
  int32_t sortOrder = 0;             // 0 none, 1 ascending, 2 descending
  bool checkBoxes = false;
  bool flatScrollBars = false;
  bool singleSelection = true;
  int32_t currentItem = -1;
  bool alwaysShowSelection = false;
  Bytes font;          // a 60-byte LOGFONTA, or empty
  Bytes headerImages;  // image list blocks: "MITL", 4 bytes, ImageList_Write stream
  Bytes images;
  Bytes columns;       // column list
  Bytes stateImages;
  Bytes items;         // initial item list
};

enum class ListViewDataStatus { kOk, kTooNew, kTruncated };

// Decodes a block; an empty or missing block leaves the reset defaults.
// Versions 0 and 1 share one layout.
ListViewDataStatus ReadListViewData(const uint8_t* blob, int32_t length, ListViewData* out);
// The version-1 layout, whatever version was read.
Bytes WriteListViewData(const ListViewData& data);

// Entries back to back; a truncated last entry is dropped. EncodeColumnList
// and EncodeItemList (ui/template/listview_blob.h) write them.
std::vector<ListViewColumn> ReadColumnList(std::span<const uint8_t> block);
std::vector<ListViewItemEntry> ReadItemList(std::span<const uint8_t> block);
