// Decoding and encoding of ListViewData and its column and item lists.
#include "ui/listview/listview_data.h"

ListViewDataStatus ReadListViewData(const uint8_t* blob, int32_t length, ListViewData* out) {
  *out = ListViewData{};
  if (!blob || length <= 0) return ListViewDataStatus::kOk;
  BlobReader r(blob, length);
  ListViewData d;
  d.version = r.U32();
  if (r.ok() && d.version > kListViewDataVersion) return ListViewDataStatus::kTooNew;
  d.borderStyle = r.I32();
  d.textColor = r.U32();
  d.textBkColor = r.U32();
  d.bkColor = r.U32();
  d.view = r.I32();
  d.iconAlign = r.I32();
  d.autoArrange = r.Bool();
  d.wrapLabels = r.Bool();
  d.hideHeader = r.Bool();
  d.sortableHeader = r.Bool();
  d.fullRowSelect = r.Bool();
  d.gridLines = r.Bool();
  d.headerDragDrop = r.Bool();
  d.hotTrack = r.Bool();
  d.handCursor = r.Bool();
  d.underlineCold = r.Bool();
  d.underlineHot = r.Bool();
  d.editLabels = r.Bool();
  d.sortOrder = r.I32();
  d.checkBoxes = r.Bool();
  d.flatScrollBars = r.Bool();
  d.singleSelection = r.Bool();
  d.currentItem = r.I32();
  d.alwaysShowSelection = r.Bool();
  d.font = r.Block();
  d.headerImages = r.Block();
  d.images = r.Block();
  d.columns = r.Block();
  d.stateImages = r.Block();
  d.items = r.Block();
  if (!r.ok()) return ListViewDataStatus::kTruncated;
  *out = std::move(d);
  return ListViewDataStatus::kOk;
}

Bytes WriteListViewData(const ListViewData& d) {
  BlobWriter w;
  w.U32(kListViewDataVersion);
  w.I32(d.borderStyle);
  w.U32(d.textColor);
  w.U32(d.textBkColor);
  w.U32(d.bkColor);
  w.I32(d.view);
  w.I32(d.iconAlign);
  w.Bool(d.autoArrange);
  w.Bool(d.wrapLabels);
  w.Bool(d.hideHeader);
  w.Bool(d.sortableHeader);
  w.Bool(d.fullRowSelect);
  w.Bool(d.gridLines);
  w.Bool(d.headerDragDrop);
  w.Bool(d.hotTrack);
  w.Bool(d.handCursor);
  w.Bool(d.underlineCold);
  w.Bool(d.underlineHot);
  w.Bool(d.editLabels);
  w.I32(d.sortOrder);
  w.Bool(d.checkBoxes);
  w.Bool(d.flatScrollBars);
  w.Bool(d.singleSelection);
  w.I32(d.currentItem);
  w.Bool(d.alwaysShowSelection);
  w.Block(d.font);
  w.Block(d.headerImages);
  w.Block(d.images);
  w.Block(d.columns);
  w.Block(d.stateImages);
  w.Block(d.items);
  return w.take();
}

std::vector<ListViewColumn> ReadColumnList(std::span<const uint8_t> block) {
  std::vector<ListViewColumn> out;
  BlobReader r(block.data(), static_cast<int32_t>(block.size()));
  while (!r.atEnd()) {
    ListViewColumn c;
    c.imageOnRight = r.U8() != 0;
    c.image = r.I32();
    c.align = r.I32();
    c.width = r.I32();
    c.title = r.ZeroEndedText();
    if (!r.ok()) break;
    out.push_back(std::move(c));
  }
  return out;
}

std::vector<ListViewItemEntry> ReadItemList(std::span<const uint8_t> block) {
  std::vector<ListViewItemEntry> out;
  BlobReader r(block.data(), static_cast<int32_t>(block.size()));
  while (!r.atEnd()) {
    ListViewItemEntry e;
    e.kind = r.U8();
    e.image = r.I32();
    e.stateImage = r.I32();
    e.indent = r.I32();
    e.data = r.I32();
    e.text = r.ZeroEndedText();
    e.tip = r.ZeroEndedText();
    if (!r.ok()) break;
    out.push_back(std::move(e));
  }
  return out;
}
