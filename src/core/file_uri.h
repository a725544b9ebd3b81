#pragma once

#include <string>
#include <string_view>

namespace qz {

// A file name as a tool wrote it, as a URI reference (RFC 3986), for
// readers that locate files by URI (SARIF). Backslashes count as slashes. A
// name with a drive letter, a leading slash or a UNC server becomes a file:
// URI; any other name stays a relative reference, to be resolved against a
// base the reader knows. Every byte that a URI cannot hold as it is is
// percent-encoded, from UTF-8: a name that is not valid UTF-8 is read as
// windows-1252, in which Windows tools write names.
struct FileUri {
  std::string uri;
  bool relative = true;
};
FileUri file_uri(std::string_view name);

// Appends UTF-8 text as a URI path: slashes stay, and so does every byte a
// path segment holds as it is but the colon; the others are percent-encoded.
void append_percent_encoded(std::string& out, std::string_view utf8);

}  // namespace qz
