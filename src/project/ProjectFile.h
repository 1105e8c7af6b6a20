#pragma once
// Reading and writing project files ("*.prj"). All five versions are read, older ones
// converted on the fly; version 3.1 is written. Errors come back as the message the
// user is to see.

#include "base/ByteCodec.h"
#include "base/Result.h"
#include "project/ProjectDefaults.h"
#include "project/ProjectDocument.h"
#include "project/ProjectVersions.h"

#include <string>

namespace lumivar {

struct ProjectReadResult {
    ProjectDocument Document;
    ProjectVersion Version = ProjectVersion::V3_1;
    // For versions 1.0 to 3.0, the information shown before the file is converted;
    // empty for 3.1.
    std::string ConversionNotice;
};

// Reads a project file (UTF-8 path). New-project values for fields an older version
// lacks come from `defaults`; `now` is the date-time of that new project (days since
// 1899-12-30). The document's FileName is the file's full path; it is marked modified
// when it was converted from an older version.
Result<ProjectReadResult> ReadProjectFile(const std::string& path, const ProjectDefaults& defaults, double now);

// The same from the file's bytes; `path` only names the file in messages and FileName.
Result<ProjectReadResult> ReadProjectBytes(ByteSpan bytes, const std::string& path, const ProjectDefaults& defaults,
                                           double now);

// The version 3.1 image of a document.
Bytes WriteProjectBytes(const ProjectDocument& document);

// Writes the document as version 3.1 to `path`, replacing any file there only once the
// new one is complete: a failed save leaves the old file as it was. On success the
// document takes `path` (made absolute) as its FileName and is no longer Modified or
// PlanChanged; on failure it is left unchanged.
Status SaveProjectFile(ProjectDocument& document, const std::string& path);

// Messages shared with the callers that wrap the reader and writer.
std::string FileNotFoundMessage(const std::string& path); // "O ficheiro  %s  não foi encontrado!"
std::string OpenFailureMessage(const std::string& path); // "Não foi possível abrir o ficheiro!" + path
std::string ConversionNotice(const std::string& path, ProjectVersion version);

} // namespace lumivar
