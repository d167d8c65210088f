#include "pages/highlight_worker.h"

#include <richedit.h>

#include <atomic>
#include <memory>

#include "pages/listing_control.h"

namespace quarzel::app {

namespace {

struct HighlightJob {
  HWND listing;
  std::vector<Highlight> list;
  std::atomic<bool> stop{false};
};

// The Dump page's colours: changed bytes red, the range shown blue.
COLORREF colourOf(Mark mark) { return mark == Mark::Changed ? RGB(255, 0, 0) : RGB(0, 0, 255); }

// The running worker and what it works on.
HANDLE thread = nullptr;
std::shared_ptr<HighlightJob> job;

DWORD WINAPI colourRanges(LPVOID parameter) {
  HighlightJob& work = *static_cast<HighlightJob*>(parameter);
  CHARFORMATA format{};
  format.cbSize = sizeof format;  // 60: the RichEdit 1.0 record
  format.dwMask = CFM_COLOR;
  for (const Highlight& h : work.list) {
    if (work.stop) break;
    // Each range leaves the view where it finds it: where the rebuild put
    // it, or where the user has scrolled since.
    const FixedView fixed(work.listing);
    CHARRANGE range{h.start, h.end};
    SendMessageA(work.listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format.crTextColor = colourOf(h.mark);
    SendMessageA(work.listing, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
  const FixedView fixed(work.listing);
  CHARRANGE none{0, 0};
  SendMessageA(work.listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
  return 0;
}

// The worker sends its requests to the window's thread, which is this one:
// while waiting, handle them, or neither side would ever go on.
void waitHandlingSentMessages(HANDLE running) {
  while (MsgWaitForMultipleObjects(1, &running, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

}  // namespace

void joinHighlightWorker() {
  if (!thread) return;
  waitHandlingSentMessages(thread);
  CloseHandle(thread);
  thread = nullptr;
  job.reset();
}

void stopHighlightWorker() {
  if (job) job->stop = true;
  joinHighlightWorker();
}

void startHighlightWorker(HWND listing, std::vector<Highlight> list) {
  stopHighlightWorker();
  if (list.empty()) return;
  job = std::make_shared<HighlightJob>();
  job->listing = listing;
  job->list = std::move(list);
  thread = CreateThread(nullptr, 0, colourRanges, job.get(), 0, nullptr);
  if (!thread) {  // no thread to spare: colour here instead
    colourRanges(job.get());
    job.reset();
  }
}

}  // namespace quarzel::app
