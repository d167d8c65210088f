#include "pages/highlight_worker.h"

#include <richedit.h>

#include <atomic>
#include <memory>

namespace quarzel::app {

namespace {

struct Job {
  HWND listing;
  std::vector<Highlight> list;
  std::atomic<bool> stop{false};
};

HANDLE workerThread = nullptr;
std::unique_ptr<Job> workerJob;

DWORD WINAPI colourRanges(LPVOID parameter) {
  Job& job = *static_cast<Job*>(parameter);
  CHARFORMATA format{};
  format.cbSize = sizeof format;  // 60: the RichEdit 1.0 record
  format.dwMask = CFM_COLOR;
  for (const Highlight& h : job.list) {
    if (job.stop) break;
    CHARRANGE range{h.start, h.end};
    SendMessageA(job.listing, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    format.crTextColor = h.colour;
    SendMessageA(job.listing, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  }
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
  if (!workerThread) return;
  waitHandlingSentMessages(workerThread);
  CloseHandle(workerThread);
  workerThread = nullptr;
  workerJob.reset();
}

void stopHighlightWorker() {
  if (workerJob) workerJob->stop = true;
  joinHighlightWorker();
}

void startHighlightWorker(HWND listing, std::vector<Highlight> list) {
  stopHighlightWorker();
  if (list.empty()) return;
  workerJob = std::make_unique<Job>();
  workerJob->listing = listing;
  workerJob->list = std::move(list);
  workerThread = CreateThread(nullptr, 0, colourRanges, workerJob.get(), 0, nullptr);
  if (!workerThread) {  // no thread to spare: colour here instead
    colourRanges(workerJob.get());
    workerJob.reset();
  }
}

}  // namespace quarzel::app
