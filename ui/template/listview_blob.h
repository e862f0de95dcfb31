// The list view's data block (ListViewData, highest version 1) and the
// column and item lists inside it.
//
// The blocks (font, image lists, columns, initial items) are kept as the raw
// bytes of the template: the block properties answer them as they are, and
// write-back stores them unchanged. The column and item lists are decoded
// when they are applied to the control. A block's length is signed: 0 or
// less is an empty block.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/template/blob_codec.h"

using Bytes = std::vector<uint8_t>;

struct ListViewData {
  static constexpr uint32_t kHighestVersion = 1;  // versions 0 and 1 share one layout

  int32_t borderStyle = 1;           // 0-5
  uint32_t textColor = 0;            // COLORREFs
  uint32_t textBkColor = 0xFFFFFF;   // 0xFF000000 = button face
  uint32_t bkColor = 0xFFFFFF;       // 0xFF000000 = button face
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

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& d) {
    return io.Fields(d.borderStyle, d.textColor, d.textBkColor, d.bkColor, d.view, d.iconAlign,
                     d.autoArrange, d.wrapLabels, d.hideHeader, d.sortableHeader, d.fullRowSelect,
                     d.gridLines, d.headerDragDrop, d.hotTrack, d.handCursor, d.underlineCold,
                     d.underlineHot, d.editLabels, d.sortOrder, d.checkBoxes, d.flatScrollBars,
                     d.singleSelection, d.currentItem, d.alwaysShowSelection, d.font,
                     d.headerImages, d.images, d.columns, d.stateImages, d.items);
  }
};

struct ListViewColumn {
  bool imageOnRight = false;
  int32_t image = -1;  // -1 = no image
  int32_t align = 0;   // 0 left, 1 centre, 2 right
  int32_t width = 0;
  std::string title;

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& c) {
    return io.ByteFlag(c.imageOnRight) && io.Fields(c.image, c.align, c.width) &&
           io.ZeroText(c.title);
  }
};

struct ListViewItemEntry {
  uint8_t kind = 0;  // 0 starts an item; otherwise the next column's text
  int32_t image = -1;
  int32_t stateImage = -1;
  int32_t indent = 0;
  int32_t data = 0;
  std::string text;
  std::string tip;

  template <class Io, class Self>
  static constexpr bool Fields(Io& io, Self& e) {
    return io.Fields(e.kind, e.image, e.stateImage, e.indent, e.data) && io.ZeroText(e.text) &&
           io.ZeroText(e.tip);
  }
};

// Always the version-1 layout, whatever version was read.
constexpr Bytes EncodeListViewData(const ListViewData& d) { return EncodeBlob(d); }
// An empty block gives the defaults. False for a version above 1 or a block
// that ends early; `out` then holds the defaults.
inline bool DecodeListViewData(std::span<const uint8_t> blob, ListViewData& out) {
  return DecodeBlob(blob, out, ByteReader::Lengths::kNotPositiveIsEmpty);
}

// Entries back to back; a truncated last entry is dropped.
constexpr Bytes EncodeColumnList(const std::vector<ListViewColumn>& columns) {
  return EncodeEntries<ListViewColumn>(columns);
}
constexpr Bytes EncodeItemList(const std::vector<ListViewItemEntry>& items) {
  return EncodeEntries<ListViewItemEntry>(items);
}
inline std::vector<ListViewColumn> DecodeColumnList(std::span<const uint8_t> block) {
  return DecodeEntries<ListViewColumn>(block);
}
inline std::vector<ListViewItemEntry> DecodeItemList(std::span<const uint8_t> block) {
  return DecodeEntries<ListViewItemEntry>(block);
}
