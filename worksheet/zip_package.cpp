// Zip files through libzip: every part is handed over as a buffer that libzip reads when the
// archive is closed, so the parts must live until then.
#include "worksheet/zip_package.h"

#include <zip.h>

#include <cerrno>
#include <system_error>

namespace worksheet {
namespace {

bool AddPart(zip_t* archive, const PackagePart& part) {
  zip_source_t* source = zip_source_buffer(archive, part.bytes.data(), part.bytes.size(), 0);
  if (source == nullptr) return false;
  zip_int64_t index =
      zip_file_add(archive, part.name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    return false;
  }
  if (part.stored) return zip_set_file_compression(archive, index, ZIP_CM_STORE, 0) == 0;
  return true;
}

}  // namespace

bool WriteZipPackage(const std::filesystem::path& path, std::span<const PackagePart> parts) {
  int error = 0;
  errno = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) {
    // libzip's own code; the system's cause is errno, when the opening reached the system.
    if (errno == 0) errno = EIO;
    return false;
  }
  for (const PackagePart& part : parts) {
    if (!AddPart(archive, part)) {
      zip_discard(archive);
      return false;
    }
  }
  if (zip_close(archive) != 0) {
    int cause = zip_error_code_system(zip_get_error(archive));
    zip_discard(archive);
    std::error_code ignored;  // nothing more can be done about a file that is not there
    std::filesystem::remove(path, ignored);
    errno = cause != 0 ? cause : EIO;
    return false;
  }
  return true;
}

}  // namespace worksheet
