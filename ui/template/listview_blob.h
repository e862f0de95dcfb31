// The list view's data block (ListViewData, version 1): written here for
// templates; the list view unit decodes it itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/template/byte_writer.h"

struct ListViewColumn {
  bool imageOnRight = false;
  int32_t image = -1;  // -1 = no image
  int32_t align = 0;   // 0 left, 1 centre, 2 right
  int32_t width = 0;
  std::string title;
};

struct ListViewItemEntry {
  uint8_t kind = 0;  // 0 starts an item; otherwise the next column's text
  int32_t image = -1;
  int32_t stateImage = -1;
  int32_t indent = 0;
  int32_t data = 0;
  std::string text;
  std::string tip;
};

struct ListViewProps {
  uint32_t version = 1;
  uint32_t borderStyle = 1;
  uint32_t textColor = 0;
  uint32_t textBackColor = 0xFFFFFF;
  uint32_t backColor = 0xFFFFFF;
  uint32_t viewMode = 0;  // 0 large icons, 1 small icons, 2 list, 3 report
  uint32_t iconAlign = 0;
  uint32_t autoArrange = 1;
  uint32_t wrapLabels = 1;
  uint32_t hideHeader = 0;
  uint32_t sortableHeader = 1;
  uint32_t fullRowSelect = 0;
  uint32_t gridLines = 0;
  uint32_t headerDragDrop = 0;
  uint32_t hotTracking = 0;
  uint32_t handCursor = 1;
  uint32_t underlineCold = 1;
  uint32_t underlineHot = 1;
  uint32_t editLabels = 0;
  uint32_t sortOrder = 0;
  uint32_t checkBoxes = 0;
  uint32_t flatScrollBars = 0;
  uint32_t singleSelection = 1;
  int32_t currentItem = -1;
  uint32_t alwaysShowSelection = 0;
  std::vector<uint8_t> font;             // empty or one LOGFONTA
  std::vector<uint8_t> headerImageList;  // "MITL" blocks
  std::vector<uint8_t> imageList;
  std::vector<ListViewColumn> columns;
  std::vector<uint8_t> stateImageList;
  std::vector<ListViewItemEntry> items;
};

// The column list and the initial item list: entries back to back.
constexpr std::vector<uint8_t> EncodeColumnList(const std::vector<ListViewColumn>& columns) {
  ByteWriter w;
  for (const auto& c : columns) {
    w.U8(c.imageOnRight ? 1 : 0);
    w.I32(c.image);
    w.I32(c.align);
    w.I32(c.width);
    w.ZeroText(c.title);
  }
  return w.Take();
}

constexpr std::vector<uint8_t> EncodeItemList(const std::vector<ListViewItemEntry>& items) {
  ByteWriter w;
  for (const auto& it : items) {
    w.U8(it.kind);
    for (int32_t v : {it.image, it.stateImage, it.indent, it.data}) w.I32(v);
    w.ZeroText(it.text);
    w.ZeroText(it.tip);
  }
  return w.Take();
}

constexpr std::vector<uint8_t> EncodeListViewProps(const ListViewProps& p) {
  ByteWriter w;
  for (uint32_t v : {p.version, p.borderStyle, p.textColor, p.textBackColor, p.backColor,
                     p.viewMode, p.iconAlign, p.autoArrange, p.wrapLabels, p.hideHeader,
                     p.sortableHeader, p.fullRowSelect, p.gridLines, p.headerDragDrop,
                     p.hotTracking, p.handCursor, p.underlineCold, p.underlineHot, p.editLabels,
                     p.sortOrder, p.checkBoxes, p.flatScrollBars, p.singleSelection})
    w.U32(v);
  w.I32(p.currentItem);
  w.U32(p.alwaysShowSelection);
  w.CountedBytes(p.font);
  w.CountedBytes(p.headerImageList);
  w.CountedBytes(p.imageList);
  w.CountedBytes(EncodeColumnList(p.columns));
  w.CountedBytes(p.stateImageList);
  w.CountedBytes(EncodeItemList(p.items));
  return w.Take();
}
