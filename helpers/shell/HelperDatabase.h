// The two operations of a helper program on its database file: writing every entry into the
// exchange file (load), and removing the entries the wizard marked (apply).
#pragma once

#include "HelperSession.h"

// Reads the database and writes the exchange file. False when it could not; the reasons are in
// the session's errors and no exchange file is left behind.
bool ExportDatabase(LNKind kind, HelperSession& session);

// Reads the exchange file and removes from the database the entries whose records carry
// Action 3. False when nothing could be changed or some marked entries were left alone; the
// reasons are in the session's errors.
bool ApplyExchangeFile(LNKind kind, HelperSession& session);
