#include "convert/win/failure_cause.h"

#include "framework/win/file_io.h"

FailureCause CauseOnThisMachine(FailureCause cause) {
  if (cause.kind == FailureKind::Denied && !cause.path.empty() && IsHeldByAnother(cause.path))
    cause.kind = FailureKind::InUse;
  return cause;
}
