#include "pages/highlight_worker.h"

#include <richedit.h>

#include <atomic>
#include <memory>

#include "pages/listing_control.h"
#include "ui/app_state.h"

namespace quarzel::app {

struct HighlightJob {
  HWND listing;
  std::vector<Highlight> list;
  std::atomic<bool> stop{false};
};

namespace {

DWORD WINAPI colourRanges(LPVOID parameter) {
  HighlightJob& job = *static_cast<HighlightJob*>(parameter);
  CHARFORMATA format{};
  format.cbSize = sizeof format;  // 60: the RichEdit 1.0 record
  format.dwMask = CFM_COLOR;
  for (const Highlight& h : job.list) {
    if (job.stop) break;
    // Each range leaves the view where it finds it: where the rebuild put
    // it, or where the user has scrolled since.
    const FixedView fixed(job.listing);
    CHARRANGE range{h.start, h.end};
    SendMessageA(job.listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format.crTextColor = h.colour;
    SendMessageA(job.listing, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
  const FixedView fixed(job.listing);
  CHARRANGE none{0, 0};
  SendMessageA(job.listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
  return 0;
}

// The worker sends its requests to the window's thread, which is this one:
// while waiting, handle them, or neither side would ever go on.
void waitHandlingSentMessages(HANDLE thread) {
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

void joinHighlightWorker() {
  AppState& s = state();
  if (!s.highlightThread) return;
  waitHandlingSentMessages(s.highlightThread);
  CloseHandle(s.highlightThread);
  s.highlightThread = nullptr;
  s.highlightJob.reset();
}

void stopHighlightWorker() {
  if (state().highlightJob) state().highlightJob->stop = true;
  joinHighlightWorker();
}

void startHighlightWorker(HWND listing, std::vector<Highlight> list) {
  stopHighlightWorker();
  if (list.empty()) return;
  AppState& s = state();
  s.highlightJob = std::make_shared<HighlightJob>();
  s.highlightJob->listing = listing;
  s.highlightJob->list = std::move(list);
  s.highlightThread = CreateThread(nullptr, 0, colourRanges, s.highlightJob.get(), 0, nullptr);
  if (!s.highlightThread) {  // no thread to spare: colour here instead
    colourRanges(s.highlightJob.get());
    s.highlightJob.reset();
  }
}

}  // namespace quarzel::app
