// Stand-in kernel: copies the run control file into the report it names, so that tests can
// see what the program wrote, and records the arguments of the call.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" __attribute__((visibility("default"))) int IDORVEK(int a, int b) {
    if (a != 4) return 1;
    std::ifstream names("names.dat");
    std::stringstream content;
    content << names.rdbuf();
    std::vector<std::string> lines;
    std::istringstream split(content.str());
    for (std::string line; std::getline(split, line);) lines.push_back(line);
    if (lines.size() < 8) return 2;
    std::ofstream report(lines[5]);
    report << "fake kernel " << a << " " << b << "\n" << content.str();
    return 0;
}
