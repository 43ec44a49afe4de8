# Run by cmake -P while the help compiles: writes the bundled encoder's
# version (the first line of VERSION_FILE) into PAGE for @ENCODER_VERSION@.
file(STRINGS ${VERSION_FILE} version LIMIT_COUNT 1)
file(READ ${PAGE} text)
string(REPLACE "@ENCODER_VERSION@" "${version}" text "${text}")
file(WRITE ${PAGE} "${text}")
