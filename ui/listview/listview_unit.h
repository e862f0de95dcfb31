// The list view unit: a SysListView32 control under the unit's own window
// procedure, built from the unit's ListViewData.
//
// The object lives exactly as long as its control: it is created with the
// control and deletes itself when the control receives WM_NCDESTROY, after
// telling the runtime (RuntimeNotify 2000).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/framework/unit_creation.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/template/listview_blob.h"
#include "ui/unit_type.h"

enum ListViewProperty : int {
  kLvBorder = kFirstTypeProperty, kLvTextColor, kLvTextBkColor, kLvBkColor, kLvFont, kLvView,
  kLvIconAlign, kLvAutoArrange, kLvWrapLabels, kLvColumns, kLvHideHeader, kLvHeaderImages,
  kLvSortableHeader, kLvFullRowSelect, kLvGridLines, kLvHeaderDragDrop, kLvImages,
  kLvStateImages, kLvHotTrack, kLvHandCursor, kLvUnderlineCold, kLvUnderlineHot, kLvEditLabels,
  kLvSortOrder, kLvCheckBoxes, kLvFlatScrollBars, kLvSingleSelection, kLvCurrentItem,
  kLvAlwaysShowSelection, kLvInitialItems, kLvEditedText,
};

// Posted to the control itself when a check box may have changed; wParam is
// the item. Posted, so the event sees the state after the control toggled it.
inline constexpr UINT kMsgCheckBoxChanged = WM_USER + 1;
// Posted on NM_CLICK, NM_RCLICK and NM_DBLCLK: the click's item in wParam,
// its client point in lParam. The control may still change the selection
// after it sent the notification (a click on one of several selected rows
// selects that row alone only then), so the click is handled once the
// control is done with it.
inline constexpr UINT kMsgClicked = WM_USER + 2;
inline constexpr UINT kMsgRightClicked = WM_USER + 3;
inline constexpr UINT kMsgDoubleClicked = WM_USER + 4;
// Posted by HoldRedrawUntilIdle: drawing goes back on.
inline constexpr UINT kMsgResumeRedraw = WM_USER + 5;

// Unit events.
enum ListViewEvent : int {
  kLvEventCurrentChanged = 0,
  kLvEventActivated = 1,
  kLvEventColumnClick = 2,
  kLvEventHotItem = 3,
  kLvEventClick = 4,
  kLvEventRightClick = 5,
  kLvEventBeginEdit = 6,
  kLvEventEndEdit = 7,
  kLvEventCheckChanged = 8,
};

struct ListViewUnit : UnitObject {
  ListViewUnit() : UnitObject{} {}
  ~ListViewUnit();  // releases the image lists and the font
  ListViewUnit(const ListViewUnit&) = delete;
  ListViewUnit& operator=(const ListViewUnit&) = delete;

  ListViewData data;
  int design = 0;
  HIMAGELIST images = nullptr;        // LVSIL_NORMAL in large-icon view, else LVSIL_SMALL
  HIMAGELIST stateImages = nullptr;   // LVSIL_STATE
  HIMAGELIST headerImages = nullptr;  // the header's (report view)
  HFONT font = nullptr;               // null: the stock DEFAULT_GUI_FONT is in use
  std::string editedText;             // property 38, only while event 7 runs
  bool redrawHeld = false;            // see HoldRedrawUntilIdle

  bool reportView() const { return data.view == 3; }
  bool iconView() const { return data.view == 0 || data.view == 1; }
};

const UnitTypeInfo& ListViewUnitType();

// The list view object behind a unit object; null for any other unit.
ListViewUnit* AsListView(UnitObject* unit);
// The object of one of our controls, or null (also once it has ended).
ListViewUnit* ListViewFromWindow(HWND hwnd);

// A visible list redraws its scroll bar on every row added, which costs
// milliseconds per row on some displays: a handler filling thousands of rows
// would take minutes. Commands that change items hold drawing off and post
// a note to the control that turns it back on; the note arrives when the
// message loop (or a modal one) next runs, so the list is drawn once, after
// the handler. Holding is only for a list that is shown.
void HoldRedrawUntilIdle(ListViewUnit* unit);
// Turns drawing back on now if it is held, and repaints the whole control.
void ResumeRedraw(ListViewUnit* unit);

// The type's operations.
UnitObject* CreateListView(const UnitCreation& c);
SetPropertyFunction SetListViewProperty;
GetPropertyFunction GetListViewProperty;
GetAllPropertiesFunction GetAllListViewProperties;

// Fires a unit event through RuntimeNotify 2008; true when a handler ran.
// `answer` (may be null) receives the handler's value, or stays untouched
// when the handler returned none.
bool FireListViewEvent(const ListViewUnit* unit, int event, int argc, const uint32_t* args,
                       int32_t* answer);
// The reflected WM_NOTIFY: events, check-box test and info tips.
LRESULT OnListViewNotify(ListViewUnit* unit, NMHDR* header);
// A click posted as kMsgClicked, kMsgRightClicked or kMsgDoubleClicked:
// events 4 or 5, then the check-box test.
void OnListViewClickSettled(ListViewUnit* unit, UINT msg, int item, POINT at);
