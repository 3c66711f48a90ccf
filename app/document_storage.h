// Reading a document's file into lines and writing lines to it, so that nothing is lost: a file the
// memo cannot show whole is not opened, and a failed write leaves the file that was there untouched.
#pragma once

#include <string>

class TStrings;

// Replaces `lines` by the text of the file `fileName` (lone CR and lone LF becoming line breaks).
// Raises the file stream's open error "ファイル %s は開けません" when the file cannot be read (missing,
// held by another program, a folder, a device), and EFOpenError "ファイル %s には NUL 文字が含まれているため開けません"
// for a file with a zero byte, whose rest the memo could not hold: a save would cut the file there.
// `lines` keep their text whenever it raises.
void LoadDocument(TStrings& lines, const std::string& fileName);

// Writes the text of `lines` as the whole file `fileName`. The text goes first to a new file in the
// same folder, which then takes the name in one step, so the old file stays whole until the new one
// is. Raises the create error "ファイル %s を作成できません" when the file cannot be written (read-only,
// held by another program, a folder, a device, an empty name or a missing folder), and EWriteError
// "ファイル %s に書き込めません。ディスクの空き容量を確認してください" when the text does not fit on
// the disk; either way the file of that name is as it was.
void SaveDocument(const TStrings& lines, const std::string& fileName);
