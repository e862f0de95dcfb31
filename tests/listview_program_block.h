// The program's list view block, written out byte by byte, independently of
// the encoder under test; its columns are the model's fields.
#pragma once

#include <cstdint>
#include <cstring>

#include "tools/model/tool_model.h"
#include "ui/template/listview_blob.h"

inline Bytes ProgramListViewBlock() {
  Bytes b;
  auto word = [&](uint32_t v) {
    for (int i = 0; i < 4; i++) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  // version, border, text colour, text background, background, view,
  // icon alignment, auto arrange, wrap labels, hide header, sortable header,
  // full row, grid lines, drag and drop, hot tracking, hand cursor, underline
  // cold, underline hot, edit labels, sort order, check boxes, flat scroll
  // bars, single selection, current item, always show selection
  for (uint32_t v : {1u, 1u, 0u, 0xFFFFFFu, 0xFFFFFFu, 3u, 0u, 1u, 1u, 0u, 0u, 1u, 0u, 0u, 0u, 1u, 1u, 1u,
                     0u, 0u, 0u, 0u, 0u, 0xFFFFFFFFu, 0u})
    word(v);
  word(0);  // font
  word(0);  // header image list
  word(0);  // image list
  Bytes columns;
  auto column = [&](const char* title, uint32_t width) {
    columns.push_back(0);  // image on the left
    for (uint32_t v : {0xFFFFFFFFu, 0u, width})
      for (int i = 0; i < 4; i++) columns.push_back(static_cast<uint8_t>(v >> (8 * i)));
    columns.insert(columns.end(), title, title + strlen(title) + 1);
  };
  for (const model::Field& field : model::kFields) column(field.title, static_cast<uint32_t>(field.width));
  word(static_cast<uint32_t>(columns.size()));
  b.insert(b.end(), columns.begin(), columns.end());
  word(0);  // state image list
  word(0);  // initial items
  return b;
}
