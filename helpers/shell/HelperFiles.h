// File work of the helper programs: whole-file reads with messages a user can act on, and the
// replacement of a database file that never leaves it half written.
#pragma once

#include <string>

// "the file does not exist.", "access is denied ...", ... for a Windows error code.
std::string DescribeFileError(unsigned long nError);

// Reads the whole file. False with "Cannot open <path>: <reason>" in error.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes a file that nobody sees until it is complete: the bytes go to a new file beside it,
// which is flushed and then moved over the target in one step.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Replaces a database file with new bytes. First the file as it is is copied to a backup beside
// it whose name carries the date and time ("names.vcf.2026-12-11_143005.bak"; a backup is never
// overwritten). Then the new bytes are written beside the file, flushed, and moved over it in
// one step (replace, write-through). If any step fails the file stays as it was, no backup is
// left behind, and error says why.
bool ReplaceWithBackup(const std::string& path, const std::string& bytes, std::string& backupPath,
                       std::string& error);
