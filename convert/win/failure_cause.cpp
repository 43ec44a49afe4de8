#include "convert/win/failure_cause.h"

#include "framework/win/file_io.h"

FailureCause CauseOnThisMachine(FailureCause cause) {
  const bool denied =
      cause.kind == FailureKind::CannotRead || cause.kind == FailureKind::CannotWrite;
  if (denied && !cause.path.empty() && IsHeldByAnother(cause.path)) cause.kind = FailureKind::InUse;
  return cause;
}
