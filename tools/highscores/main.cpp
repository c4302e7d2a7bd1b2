#include <iostream>
#include <string>
#include <vector>

#include "HighScores.h"

int main(int argc, char** argv) {
    return highscores::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
