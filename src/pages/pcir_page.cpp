// PcirPage: the option ROM's PCI data structure, display only.
#include "analysis/pci_vesa/pcir_fields.h"
#include "formats/pcir_structure.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {


// The read-only fields; the offset button apart.
constexpr int kPcirFields[] = {
    IDC_PCIR_VENDOR_ID,   IDC_PCIR_VENDOR_NAME, IDC_PCIR_DEVICE_ID,     IDC_PCIR_DEVICE_NAME, IDC_PCIR_VITAL_DATA,
    IDC_PCIR_LENGTH,      IDC_PCIR_REVISION,    IDC_PCIR_CLASS_CODE,    IDC_PCIR_CLASS_TEXT,  IDC_PCIR_IMAGE_LENGTH,
    IDC_PCIR_IMAGE_SIZE,  IDC_PCIR_CODE_REVISION, IDC_PCIR_CODE_TYPE,   IDC_PCIR_INDICATOR,
};

}  // namespace

void resetPcirPage() {
  HWND page = pageWindow(PcirTab);
  setText(page, IDC_PCIR_OFFSET, "0");
  for (const int id : kPcirFields) setText(page, id, "");
}

void fillPcirPage() {
  const AppState& s = state();
  if (!s.Layout.pcir) return;
  HWND page = pageWindow(PcirTab);
  const PcirFields f = readPcirFields(s.BiosImage, *s.Layout.pcir);
  setOffsetCaption(page, IDC_PCIR_OFFSET, *s.Layout.pcir);
  setText(page, IDC_PCIR_VENDOR_ID, f.vendorIdText);
  setText(page, IDC_PCIR_DEVICE_ID, f.deviceIdText);
  setText(page, IDC_PCIR_VENDOR_NAME, f.vendorName);
  setText(page, IDC_PCIR_DEVICE_NAME, f.deviceName);
  setText(page, IDC_PCIR_VITAL_DATA, f.vitalProductData);
  setText(page, IDC_PCIR_LENGTH, f.structureLength);
  setText(page, IDC_PCIR_REVISION, f.structureRevision);
  setText(page, IDC_PCIR_CLASS_CODE, f.classCode);
  setText(page, IDC_PCIR_CLASS_TEXT, f.classText);
  setText(page, IDC_PCIR_IMAGE_LENGTH, f.imageLength);
  setText(page, IDC_PCIR_IMAGE_SIZE, f.imageSizeText);
  setText(page, IDC_PCIR_CODE_REVISION, f.codeRevision);
  setText(page, IDC_PCIR_CODE_TYPE, f.codeType);
  setText(page, IDC_PCIR_INDICATOR, f.indicator);
}

// The image size and the structure's fields follow a grown ROM.
void refreshPcirPage() {
  resetPcirPage();
  fillPcirPage();
}

INT_PTR CALLBACK PcirPageProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND || LOWORD(wParam) != IDC_PCIR_OFFSET) return FALSE;
  showItemInDump(state().Layout.pcir, kPcirShownLength);
  return TRUE;
}

}  // namespace quarzel::app
