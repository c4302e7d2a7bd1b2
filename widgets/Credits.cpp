#include "Credits.h"

namespace widgets {

const char* const kPublishersNotice = "© 2005 Fenmarrow and Quillbright - All rights reserved";
const char* const kCreditsNotice = "Fenmarrow/Quillbright";

std::vector<std::string> CreditLines() {
    // Every line stays narrower than the gap between the "Fuel" and "Damage"
    // labels the credits scroll behind.
    return {
        "Credits",
        "",
        "Programming",
        "Oswin Thale",
        "Deryn Malloch",
        "",
        "Music :",
        "Pelwyn (Skyrush 2k4)",
        "",
        "Graphics",
        "Isolde Varrick",
        "Corin Ashdown",
        "",
        "Sound FX :",
        "Maelis Tregarth",
        "",
        "",
        "Beta Testers :",
        "Hobart Quenell",
        "Sefa Lindqvar",
        "Jory Pembrooke",
        "Ilse Varnam",
        "Tamsin Orrell",
        "Gideon Farrowdale",
        "Nell Hathersage",
        "Rufus Kellow",
        "Wren Alderidge",
        "Brisk Corvane",
        "",
        "",
        kCreditsNotice,
    };
}

}  // namespace widgets
