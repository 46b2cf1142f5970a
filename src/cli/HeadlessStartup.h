#pragma once
// What every start of the binary does before any conversion, with or without
// windows: defaults registered, the converters reading the user's settings and
// logging to Qt, the interpreter choice checked, the conversion scripts
// installed as files.
#include "dispatch/CheckMarkupInterpreter.h"

void prepareConversions(const CheckMarkupInterpreter::AlertPresenter& showCriticalAlert);
