#include "analysis/strings/sign_on_code.h"

#include "formats/near_call.h"

namespace quarzel {

std::optional<SignOnCode> findSignOnCode(const Image& image, const std::optional<InstalledLogo>& logo) {
  if (logo) {
    const auto& saved = logo->block.savedCode;
    if (!saved || !kString1Main.matchesAt(image, *saved)) return std::nullopt;
    SignOnCode code{*saved, true, *saved + kString1CallAt, std::nullopt};
    // The call is relative to where it runs: where the logo's call stands now.
    if (const auto target = nearCallTarget(image, code.call))
      code.printer = (*target + kImageCapacity + logo->call - *saved) % kImageCapacity;
    return code;
  }
  const std::size_t end = searchEnd(image, kSearchMargin);
  std::optional<SignOnCode> code;
  if (const auto at = findFirst(image, kString1Main, end))
    code = SignOnCode{*at, true, *at + kString1CallAt, std::nullopt};
  else if (const auto silent = findFirst(image, kSilentSignOn, end))
    code = SignOnCode{*silent, false, *silent + kSilentCallAt, std::nullopt};
  if (code) code->printer = nearCallTarget(image, code->call);
  return code;
}

}  // namespace quarzel
