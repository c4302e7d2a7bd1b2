#include "Credits.h"

namespace widgets {

const char* const kPublishersNotice = "© 2005 Fenmarrow and Quillbright - All rights reserved";

std::vector<std::string> CreditLines() {
    return {
        "Credits",
        "",
        "Programming",
        "Oswin Thale - game code and particle effects",
        "Deryn Malloch - level tools and menus",
        "",
        "Music :",
        "Pelwyn - \"Skyrush 2k4\"",
        "",
        "Graphics",
        "Isolde Varrick - caves and title picture",
        "Corin Ashdown - ships, cargo and sprites",
        "",
        "Sound FX :",
        "Maelis Tregarth - engine, blasts and bleeps",
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
        kPublishersNotice,
    };
}

}  // namespace widgets
