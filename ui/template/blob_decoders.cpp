// Property blob decoders of the basic unit types. An empty blob leaves the
// defaults; a version above the type's highest, or a blob that ends early,
// fails (the unit is then not created).
#include <initializer_list>

#include "ui/template/button_blob.h"
#include "ui/template/byte_reader.h"
#include "ui/template/combo_blob.h"
#include "ui/template/edit_blob.h"
#include "ui/template/label_blob.h"
#include "ui/template/window_blob.h"

namespace {

bool Words(ByteReader& r, std::initializer_list<uint32_t*> fields) {
  for (uint32_t* f : fields)
    if (!r.U32(*f)) return false;
  return true;
}

bool Version(ByteReader& r, uint32_t& version, uint32_t highest) {
  return r.U32(version) && version <= highest;
}

}  // namespace

bool DecodeWindowProps(std::span<const uint8_t> blob, WindowProps& p) {
  p = WindowProps{};
  if (blob.empty()) return true;
  ByteReader r(blob);
  if (!Version(r, p.version, WindowProps::kHighestVersion)) return false;
  if (!Words(r, {&p.borderStyle, &p.pictureMode, &p.backColor, &p.maxButton, &p.minButton,
                 &p.controlBox, &p.startPosition, &p.closeButton, &p.prop14, &p.enterMovesFocus,
                 &p.escapeCloses, &p.f1Help, &p.helpContext}))
    return false;
  if (p.version >= 2 && !r.U32(p.ownTaskbarButton)) return false;
  if (p.version >= 3 && !Words(r, {&p.dragMove, &p.prop28})) return false;
  if (p.version >= 4 && !r.U32(p.topmost)) return false;
  if (p.version >= 5 && !r.U32(p.prop30)) return false;
  if (p.version >= 6 && !r.CountedText(p.className)) return false;
  return r.CountedBytes(p.picture) && r.CountedBytes(p.icon) && r.CountedBytes(p.sound) &&
         r.CountedText(p.title) && r.CountedText(p.helpFile);
}

bool DecodeLabelProps(std::span<const uint8_t> blob, LabelProps& p) {
  p = LabelProps{};
  if (blob.empty()) return true;
  ByteReader r(blob);
  if (!Version(r, p.version, LabelProps::kHighestVersion)) return false;
  if (!Words(r, {&p.textEffect, &p.gradientBorderWidth, &p.border, &p.borderColors[0],
                 &p.borderColors[1], &p.borderColors[2], &p.textColor, &p.backColor,
                 &p.pictureMode, &p.gradientMode, &p.gradientColors[0], &p.gradientColors[1],
                 &p.gradientColors[2], &p.hAlign, &p.vAlign, &p.wordWrap}))
    return false;
  p.gradientBorderWidth = AtLeastMinimumFrameWidth(p.gradientBorderWidth);
  if (!r.CountedBytes(p.font) || !r.CountedBytes(p.picture) || !r.CountedText(p.caption))
    return false;
  return p.version < 2 || (r.CountedText(p.text27) && r.CountedText(p.text28));
}

bool DecodeEditProps(std::span<const uint8_t> blob, EditProps& p) {
  p = EditProps{};
  if (blob.empty()) return true;
  ByteReader r(blob);
  if (!Version(r, p.version, EditProps::kHighestVersion)) return false;
  if (!Words(r, {&p.border, &p.textColor, &p.backColor, &p.hideSelection, &p.maxLength,
                 &p.multiLine, &p.scrollBars, &p.align, &p.inputMode}) ||
      !r.U16(p.passwordChar) ||
      !Words(r, {&p.caseConversion, &p.adjuster, &p.adjusterLower, &p.adjusterUpper, &p.selStart,
                 &p.selLength}) ||
      !r.CountedBytes(p.font) || !r.CountedText(p.content))
    return false;
  return p.version < 2 || (r.CountedText(p.text27) && r.CountedText(p.text28));
}

bool DecodeButtonProps(std::span<const uint8_t> blob, ButtonProps& p) {
  p = ButtonProps{};
  if (blob.empty()) return true;
  ByteReader r(blob);
  return Version(r, p.version, ButtonProps::kHighestVersion) &&
         Words(r, {&p.defaultButton, &p.hAlign, &p.vAlign}) && r.CountedBytes(p.picture) &&
         r.CountedBytes(p.font) && r.CountedText(p.caption);
}

bool DecodeComboProps(std::span<const uint8_t> blob, ComboProps& p) {
  p = ComboProps{};
  if (blob.empty()) return true;
  ByteReader r(blob);
  if (!Version(r, p.version, ComboProps::kHighestVersion)) return false;
  if (!Words(r, {&p.style, &p.maxLength, &p.selStart, &p.selLength, &p.sorted,
                 &p.extraItemHeight, &p.textColor, &p.backColor}) ||
      !r.I32(p.selection) || !r.CountedBytes(p.font) || !r.CountedBytes(p.itemData) ||
      !r.CountedText(p.content) || !r.TextList(p.items))
    return false;
  if (p.version >= 2 && !(r.CountedText(p.text22) && r.CountedText(p.text23))) return false;
  return p.version < 3 || r.U32(p.prop24);
}
