#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "StringListFile.h"
#include "SummaryWriter.h"

namespace trend {

// The root-folder box ComboBox1: the data root as typed, picked or restored, and the history
// of data roots. Entries are compared with the box's exact-match search, which ignores case.
class RootFolderBox {
public:
    std::string Text;
    std::vector<std::string> Items;
    int ItemIndex = -1;  // the selected entry of the list; -1 for none
    // The encoding the history file was read in, and is written back in.
    TextFileEncoding HistoryEncoding = TextFileEncoding::Ansi;

    // Position of the first entry equal to text ignoring case (an empty text finds the first
    // empty entry); -1 when there is none.
    int IndexOf(std::string_view text) const;
    // Appends text when no entry equals it; true when it was appended.
    bool AddIfAbsent(std::string_view text);

    // Adds the data root chosen at start-up (the caption of Label1) and the default roots.
    void SeedFolderHistory(std::string_view label1);
    // The focus leaves the box: the text joins the history when it is not there yet.
    void ComboBox1Exit();
    // "Delete Item from pull down": deletes the selected entry; the text stays.
    void Button11Click();
};

// The data roots start-up tries, in this order, and the history seeds besides them.
inline constexpr std::string_view kFirstDefaultRoot = "C:\\QDR\\HART";
inline constexpr std::string_view kSecondDefaultRoot = "D:\\QDR\\HART";
inline constexpr std::string_view kPluginRoot = "C:\\PLUGIN";

}  // namespace trend
