#include "ui/error_messages.h"

#include "formats/table_rows.h"

namespace quarzel::app {

namespace {

constexpr auto kTaskHeadlines = oneRowEach<kTaskCount, const char*>({
    "BIOS loading error!!!", "BIOS saving error!!!", "No 3dfx BIOS item found!!!", "FONT loading error!!!",
    "FONT saving error!!!", "Bitmap loading error!!!", "No room for the logo!!!", "Refresh rate error!!!",
    "Offset error!!!",
});

// The errors whose message box opens with words of their own.
struct ErrorHeadline {
  EditError error;
  const char* text;
  bool saysAll;  // no cause line under it
};
constexpr ErrorHeadline kErrorHeadlines[] = {
    {EditError::BmpCompressed, "Bitmap format error!!!", true},
    {EditError::BmpWidthUnsupported, "Logo width must be 8, 16, ... or 120 pixels!!!", true},
    {EditError::BmpHeightUnsupported, "Logo height must be 1 to 127 pixels!!!", true},
    {EditError::NoBootCode, "No sign-on call found for the logo!!!", true},
    {EditError::LogoTextTooLong, "The logo lines are too long!!!", false},
    {EditError::NotA3dfxBios, "Not a 3dfx BIOS!!!", false},
    {EditError::NoLogo, "The logo cannot be removed!!!", false},
    {EditError::LogoKeepsNoSignOn, "The logo cannot be removed!!!", false},
};

}  // namespace

const char* headline(Task task) { return kTaskHeadlines[static_cast<std::size_t>(task)]; }

std::string refusalMessage(Task task, EditError error) {
  for (const ErrorHeadline& own : kErrorHeadlines)
    if (own.error == error) return own.saysAll ? own.text : std::string(own.text) + "\n" + describe(error);
  return std::string(headline(task)) + "\n" + describe(error);
}

}  // namespace quarzel::app
