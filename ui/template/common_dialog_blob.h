// The common dialog's PropertyBlob (highest version 1): written here for
// templates; the common dialog unit decodes it itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/template/byte_writer.h"

struct CommonDialogProps {
  uint32_t version = 1;
  uint32_t kind = 0;            // 8: 0 open, 1 save, 2 font, 3 help
  uint32_t initialFilter = 0;   // 12
  uint32_t createPrompt = 0;    // 15
  uint32_t fileMustExist = 1;   // 16
  uint32_t overwritePrompt = 1; // 17
  uint32_t pathMustExist = 1;   // 18
  uint32_t noChangeDir = 0;     // 19
  uint32_t words20to29[8] = {}; // 20, 21, 22, 23, 24, 26, 28, 29
  std::string title;            // 9
  std::string fileName;         // 10
  std::string filter;           // 11
  std::string initialDir;       // 13
  std::string defaultExt;       // 14
  std::string text25, text27;   // 25, 27
};

constexpr std::vector<uint8_t> EncodeCommonDialogProps(const CommonDialogProps& p) {
  ByteWriter w;
  for (uint32_t v : {p.version, p.kind, p.initialFilter, p.createPrompt, p.fileMustExist,
                     p.overwritePrompt, p.pathMustExist, p.noChangeDir})
    w.U32(v);
  for (uint32_t v : p.words20to29) w.U32(v);
  for (const std::string* t : {&p.title, &p.fileName, &p.filter, &p.initialDir, &p.defaultExt,
                               &p.text25, &p.text27})
    w.CountedText(*t);
  return w.Take();
}
