#pragma once
// The "FreedbOptions" setting: the album-database server and the proxy as
// nine fields (host, port, CGI path, description, proxy on, proxy host, proxy
// port, proxy user, proxy password), each followed by a backtick. The proxy
// password is not kept in it: it lives protected in the user's own settings.

#include "album/CddbSite.h"
#include "framework/String.h"

// The record of a site; backticks typed into a field are dropped, so no
// field can push the ones after it out of place. The password field stays empty.
CString MakeFreedbOptions(const CCddbSite& site);
// The site a record names (missing fields empty, a bad port 80).
CCddbSite ParseFreedbOptions(const CString& record);
// Text as it may stand in one field.
CString FreedbOptionsField(CString text);

// The proxy password, encrypted for the logged-on user (the system's data
// protection) under the user's settings key. False when it could not be stored.
bool StoreProxyPassword(const CString& password);
// The stored password; empty when there is none or it cannot be decrypted.
CString LoadProxyPassword();
