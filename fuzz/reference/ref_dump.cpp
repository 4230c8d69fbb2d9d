// Reference: Text dump of the stored points of a RefFunction1D.
#include "RefFunction1D.h"

#include <ostream>

std::basic_ostream<char>& operator<<(std::basic_ostream<char>& os, RefFunction1D& f) {
    if (f.points.empty()) {
        os << std::endl;
        os << "\ttheVector is empty." << std::endl;
        return os;
    }
    os << std::endl;
    os << "\tLa fonction  [ " << std::endl;
    for (const RefFunction1D::Point& p : f.points) {
        os << std::endl;
        os << "\t\t\t   x= " << p.x;
        os << "  and f(x)= " << p.y;
        os << ", " << std::endl;
        os << "\t\t\t\t" << std::endl;
    }
    os << std::endl;
    os << "\t\t\t ]" << std::endl;
    return os;
}
