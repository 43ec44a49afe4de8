// At start, a run the program did not live to end: its half-made files go,
// and the user chooses whether it goes on.
#pragma once
#include <memory>

#include "app/app_state.h"
#include "app/win/language_pack.h"
#include "convert/run_engine.h"

// The run to continue, or null: none stopped, the user said No, or its
// journal was damaged (said once, and set aside).
std::unique_ptr<RunRequest> OfferToContinue(const APP_STATE& state, const CLanguagePack& pack);
