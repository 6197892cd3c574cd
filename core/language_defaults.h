#pragma once
// English defaults of the texts added after the first 106: a language file
// made before them stays valid and shows these instead.

// The default of optional text n, or "" for any other number.
const char* OptionalLanguageDefault(int n);
