// The logical processors the system reports, in all processor groups.
#pragma once

int LogicalProcessors();
