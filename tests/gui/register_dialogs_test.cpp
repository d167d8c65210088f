// How the register dialogs and the Registers page look: every text whole,
// nothing over anything else, each row's controls on their label's line.
#include "gui_fixture.h"

#include "app/main_window.h"

#include <algorithm>
#include <vector>

#include "analysis/registers/register_fields.h"
#include "analysis/registers/registers.h"
#include "pages/register_controls.h"
#include "pages/register_dialogs.h"
#include "resources/resource.h"
#include "ui/wide_text.h"

namespace quarzel::test {
namespace {

struct Child {
  HWND window;
  RECT place;  // in the parent's client coordinates
};

std::vector<Child> visibleChildren(HWND parent) {
  std::vector<Child> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    children.push_back({child, place});
  }
  return children;
}

std::wstring windowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

bool isTextStatic(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return _wcsicmp(name, L"Static") == 0 && (GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
}

// The height the static's text needs, word-wrapped at its width in its font.
LONG neededHeight(HWND staticText, LONG width) {
  HDC dc = GetDC(staticText);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(staticText, WM_GETFONT, 0, 0)));
  const std::wstring text = windowText(staticText);
  RECT area{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(staticText, dc);
  return area.bottom;
}

void expectTidy(HWND dialog, const std::string& name) {
  SCOPED_TRACE(name);
  RECT client;
  GetClientRect(dialog, &client);
  const std::vector<Child> children = visibleChildren(dialog);
  for (std::size_t i = 0; i < children.size(); ++i) {
    const Child& a = children[i];
    const std::string text = app::utf8Text(windowText(a.window));
    RECT inside;
    IntersectRect(&inside, &a.place, &client);
    EXPECT_TRUE(EqualRect(&inside, &a.place)) << "outside the dialog: " << text;
    if (isTextStatic(a.window)) {
      EXPECT_LE(neededHeight(a.window, a.place.right - a.place.left), a.place.bottom - a.place.top) << "cut: " << text;
    }
    for (std::size_t j = i + 1; j < children.size(); ++j) {
      RECT both;
      EXPECT_FALSE(IntersectRect(&both, &a.place, &children[j].place))
          << text << " overlaps " << app::utf8Text(windowText(children[j].window));
    }
  }
}

// Every row's text stands in the dialog as the table has it, its line
// breaks made "\r\n".
void expectEveryFieldText(HWND dialog, const app::RegisterDialog& table) {
  std::vector<std::string> shown;
  for (const Child& child : visibleChildren(dialog)) {
    std::string text = app::utf8Text(windowText(child.window));
    std::erase(text, '\r');
    std::erase(text, '\n');
    shown.push_back(text);
  }
  for (const BitField& field : app::rowsOf(table))
    EXPECT_NE(std::ranges::find(shown, singleLineText(field)), shown.end()) << field.text;
}

int dialogButtonOf(std::size_t registerIndex) { return app::kRegisterRows[registerIndex].dialogButton; }

using RegisterDialogLook = GuiTest;

TEST_F(RegisterDialogLook, EveryDialogHasItsTitleSizeAndWholeTexts) {
  load(sampleRom());
  for (const app::RegisterDialog& table : app::registerDialogs()) {
    runDialog(page(RegistersTab), dialogButtonOf(table.registerIndex), [&](HWND d) {
      EXPECT_EQ(app::utf8Text(windowText(d)), table.title);
      RECT size{0, 0, table.width, table.height};
      MapDialogRect(d, &size);
      RECT client;
      GetClientRect(d, &client);
      EXPECT_EQ(client.right, size.right) << table.title;
      EXPECT_EQ(client.bottom, size.bottom) << table.title << ": grown for a wider font than MS Sans Serif";
      EXPECT_EQ((GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU) != 0, table.systemMenu) << table.title;
      expectTidy(d, table.title);
      expectEveryFieldText(d, table);
      // The texts reach the screen in their own characters.
      if (table.registerIndex == DramInit0) {
        const std::vector<Child> children = visibleChildren(d);
        EXPECT_TRUE(std::ranges::any_of(children, [](const Child& child) {
          return windowText(child.window).find(L"tRRD \u2013 row") != std::wstring::npos;
        }));
      }
      click(d, IDCANCEL);
    });
  }
}

TEST_F(RegisterDialogLook, EachPageRowStandsOnItsRegistersLabel) {
  app::showPage(RegistersTab);
  HWND p = page(RegistersTab);
  const std::vector<Child> children = visibleChildren(p);
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    SCOPED_TRACE(kRegisterNames[i]);
    const std::wstring label = app::wideText(std::string(kRegisterNames[i]) + ":");
    const auto found = std::find_if(children.begin(), children.end(),
                                    [&](const Child& c) { return windowText(c.window) == label; });
    ASSERT_NE(found, children.end());
    const LONG middle = (found->place.top + found->place.bottom) / 2;
    const app::RegisterRowControls& row = app::kRegisterRows[i];
    for (const int id : {row.value, row.offset, row.dialogButton, row.compare, row.verdict}) {
      if (id == 0) continue;
      ASSERT_NE(GetDlgItem(p, id), nullptr) << id;
      RECT place{};
      GetWindowRect(GetDlgItem(p, id), &place);
      MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&place), 2);
      EXPECT_TRUE(place.top <= middle && middle <= place.bottom) << id;
    }
  }
  expectTidy(p, "Registers page");
}

}  // namespace
}  // namespace quarzel::test
