#pragma once
// The product's web site, which the options sheet's Help button opens.
// Until the build names the address, it is set here and nowhere else.

inline const char* ProductWebAddress() {
    return "https://www.quandel.com/tavix/";
}
