#pragma once
// What the Styles tab asks its owner for when the user wants to change the
// writing of the captions: the sheet that offers the writings lives above
// the inspector, so the inspector only says what to offer and what a pick
// does, and the owner shows the sheet.

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace vt::ui {

struct CaptionWritingRequest {
    std::string selection;                                    // "latin", "english" or a native script's id
    bool nativeAvailable = false;                             // the transcript carries native-script text
    std::optional<std::string> translationUnavailableReason;  // why English cannot be picked now (never while a
                                                              // stored translation can be shown)
    std::function<void(const std::string&)> onSelect;         // what a pick does
};

// Shows the caption-writing sheet over `parent`; empty: no sheet can be shown.
using OpenCaptionWriting = std::function<void(const CaptionWritingRequest&, QWidget* parent)>;

}  // namespace vt::ui
