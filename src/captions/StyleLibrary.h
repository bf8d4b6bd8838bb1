#pragma once
// The caption looks the user saved ("custom" looks, category "My Styles"),
// kept in "styles.json" in the data root as a compact JSON array of looks,
// and the one way the program turns a look id into a look: built-in looks
// first, then the user's.
//
// The file is read once, when the library is made, and written after every
// saveCustom and remove, atomically. Only a regular file of at most 16 MB is
// read; anything else in its place (a named pipe, a device) is never opened.
// A file that exists but cannot be read or decoded leaves the library empty
// and is never overwritten: before the first write it is moved aside, with
// its bytes unchanged, to "styles.json.unreadable" (or
// "styles.json.unreadable-N" when that name is taken). File errors are
// otherwise silent.
//
// Main thread only. `customChanged` tells observers that `custom` changed.

#include "captions/look/CaptionStyle.h"
#include "captions/look/StyleCategory.h"

#include <QObject>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vt {

class StyleLibrary : public QObject {
    Q_OBJECT

public:
    // The one library of the program, on the data root's styles.json; made
    // and loaded on first use.
    static StyleLibrary& shared();

    // A library on the given file, loaded from it now.
    explicit StyleLibrary(std::filesystem::path file, QObject* parent = nullptr);

    // The user's looks: file order, then looks saved since.
    const std::vector<CaptionStyle>& custom() const { return custom_; }
    // Replaces the list without saving the file; observers hear of it only
    // when the new list differs from the current one.
    void setCustom(std::vector<CaptionStyle> looks);

    // The first look with exactly this id (case-sensitive): the built-in looks
    // in catalogue order, then the user's.
    std::optional<CaptionStyle> style(const std::string& id) const;

    // The looks of a browser section, filtered by a search text. Sections:
    // popular and trending list their curated ids in order; no category lists
    // every built-in look then the user's; any other category its looks of
    // both. The query, trimmed of Unicode spaces and tabs (not line breaks) and
    // lower-cased, keeps the looks whose name, category title, font label or
    // joined tags contain it; an empty query keeps everything.
    std::vector<CaptionStyle> styles(std::optional<StyleCategory> category, const std::string& query) const;

    // Saves a copy of the look as a new user look: id "custom-" + a new UUID,
    // the given name exactly as passed, category mine. Appends it, writes the
    // file and returns it.
    CaptionStyle saveCustom(const CaptionStyle& look, const std::string& name);

    // Removes every user look with the look's id, keeping the others in order,
    // then notifies and writes the file, also when nothing matched.
    void remove(const CaptionStyle& look);

signals:
    void customChanged();

private:
    void load();
    void persist();
    // Moves an unreadable file out of the way; false when it must stay put.
    bool setAsideUnreadableFile();

    std::filesystem::path file_;
    std::vector<CaptionStyle> custom_;
    bool fileUnreadable_ = false;  // the file exists but gave no looks
};

}  // namespace vt
