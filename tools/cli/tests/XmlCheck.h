// Parse-checks an XML document with xmllint when it is installed, else with
// python3's XML parser. Returns "" when well-formed, "skip" when neither tool
// is present, otherwise the checker's complaint.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

inline std::string CheckWellFormedXml(const std::string& xml)
{
    char path[] = "/tmp/kestrel-xml-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return "cannot create a temporary file";
    close(fd);
    std::ofstream(path, std::ios::binary) << xml;
    const std::string log = std::string(path) + ".log";
    std::string cmd;
    if (access("/usr/bin/xmllint", X_OK) == 0)
        cmd = std::string("/usr/bin/xmllint --noout ") + path;
    else if (std::system("python3 -c 'import xml.etree.ElementTree' >/dev/null 2>&1") == 0)
        cmd = std::string("python3 -c 'import sys, xml.etree.ElementTree as E; E.parse(sys.argv[1])' ") + path;
    else
        return "skip";
    const int rc = std::system((cmd + " > " + log + " 2>&1").c_str());
    std::stringstream complaint;
    complaint << std::ifstream(log).rdbuf();
    std::remove(path);
    std::remove(log.c_str());
    return rc == 0 ? std::string() : "not well-formed: " + complaint.str();
}
