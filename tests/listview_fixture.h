// The list view tests' fixture: a unit test host with the extended library
// greeted, as the runtime does at start-up.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "listview_unit_host.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_unit.h"

inline constexpr uint32_t kListUnitId = 0x16011F40;

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ExtendedUiLibrary().notify(kLibInit, reinterpret_cast<intptr_t>(&RuntimeNotify), 0), 0);
  }

  ListViewUnit* Create(const ListViewData& data, uint32_t unitId = kListUnitId) {
    Bytes block = EncodeListViewData(data);
    return static_cast<ListViewUnit*>(host.Create(ListViewUnitType(), block, unitId));
  }
  // Report view with the given columns, multiple selection.
  ListViewUnit* CreateReport(std::vector<ListViewColumn> columns, bool checkBoxes = false) {
    ListViewData d;
    d.view = 3;
    d.singleSelection = false;
    d.checkBoxes = checkBoxes;
    d.columns = EncodeColumnList(columns);
    return Create(d);
  }

  std::vector<int> EventNumbers() const {
    std::vector<int> out;
    for (const auto& e : host.events) out.push_back(e.event);
    return out;
  }

  UnitTestHost host;
};
