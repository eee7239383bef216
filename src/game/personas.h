// The computer opponent's personality at the table: the custom comment files and persona
// files of the users folder, the COMMENTS menu built from them, and the comment set and
// persona loaded for the current persona and comment choice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/record_file.h"

namespace korbo {

class Game;

namespace personas {

// The built-in persona's name and picture.
inline constexpr const char* kBuiltInName = "Korbo";
inline constexpr const char* kBuiltInPicture = "Korbo.jpg";
// COMMENTS item 1 is the standard set; items 2.. are the comment files.
constexpr int kStandardItem = 1;

// What a listing takes: plain files only, or every entry of the folder (a folder, a pipe or
// a link in a file's place too).
enum class Entries { PlainFiles, Any };

// The names of the plain files (or entries) of `folder` that end in `extension` (three
// letters, any case), in the order of their names; without the dot and the extension
// unless `whole`.
std::vector<std::string> ListByExtension(const std::string& folder, std::string_view extension, bool whole = false,
                                         Entries entries = Entries::PlainFiles);

// Lists the custom comment files and counts the persona files; each comment file k gets
// COMMENTS item k + 1 (items are made when missing, never removed).
void ReadComments(Game& g);
// PeopleNames: the built-in persona, then one per persona file.
void ReadPeople(Game& g);
// The comment lines and the picture of the current persona and comment set; the avatar
// shown; the chat phrases; the comments emptied when they are switched off.
void ChangeComments(Game& g);
// The persona's name shown; the end-of-game pictures back to the built-in ones.
void ChangePerson(Game& g);
// A COMMENTS item was chosen.
void chatter_Click(Game& g, int index);

// The file `path` of the current persona was read with the outcome `read`. When it is there
// but could not be read, the player is told once, Korbo plays in its place for this run and
// the settings keep the persona as the choice, so that it comes back once its file is
// mended: true. False when the file was read (a file cut short is told of) or is missing.
bool KorboForUnreadable(Game& g, const std::string& path, const records::Status& read);

}  // namespace personas
}  // namespace korbo
