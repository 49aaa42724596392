#include "nsa/CalcCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    return nsa::RunCalcCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                               std::cerr);
}
