/// @file
/// A design code as data: its load types, psi factors, named values and options, and its design situations,
/// each a list of rule templates whose terms select actions by role or load type and give their factors as
/// products of named values. A code file holds one (the formats read it); DesignRules forms the rules of an
/// actions description from it, and the design envelopes hold no factor of a code of their own.
#ifndef VYMATH_ANALYSIS_CODE_H
#define VYMATH_ANALYSIS_CODE_H

#include <map>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// How the actions of a load type enter the combinations.
enum class ActionType {
    Permanent,  ///< present in every combination, at its upper or lower factor
    Prestress,  ///< present in every combination at its one factor
    Variable,   ///< may be absent: counts where unfavourable
    Accidental, ///< present in its own accidental situation only
    Seismic,    ///< present in its own seismic situation only
    Companion   ///< acts whenever an action of another type does (ASCE 7's Ev with Eh)
};

/// A factor as a code writes it: the product, left to right, of numbers and named values, "gamma*psi0",
/// "0.75*0.6", "1.2". The names are the code's values, an action's own values (psi0, psi1, psi2 and the
/// code's action values), or an option whose choice names one of those ("accidental_leading_psi").
struct Factor {
    /// One factor of the product: a name, or a number where the name is empty.
    struct Item {
        std::string name; ///< a value's name, or empty
        double number;    ///< the number where name is empty
    };
    std::vector<Item> items; ///< none: the factor is not given
    std::string text;        ///< as written, for messages
    /// Whether the factor is given.
    bool Given() const { return !items.empty(); }
};

/// A term of a rule template: the actions it selects and the factors they take.
struct TermTemplate {
    ActionType role = ActionType::Permanent; ///< the role of the actions selected
    std::string type;                        ///< one load type of that role only; empty: every type of it
    Factor factor; ///< the factor (a permanent action's upper and lower one, where sup and inf are not given)
    Factor sup;    ///< a permanent action's factor where unfavourable
    Factor inf;    ///< a permanent action's factor where favourable
    Factor leading; ///< given: one of the selected variable actions leads, at this factor instead
    /// A choice: at most one of these terms' actions acts, at its factor (0 as the alternative); the term
    /// itself selects nothing.
    std::vector<TermTemplate> oneOf;
    /// The companion actions that act with each selected action, at its factor (none or one template).
    std::vector<TermTemplate> with;
    std::string place; ///< where it stands in the code file, for messages
};

/// A combination rule of a situation: the sum of its terms.
struct RuleTemplate {
    std::string label;                                     ///< "6.10b", "LRFD 3"
    std::vector<std::pair<std::string, std::string>> when; ///< (option, choice): the rule applies then
    std::vector<TermTemplate> terms;                       ///< summed
    std::string place;                                     ///< for messages
};

/// A design situation of a code.
struct SituationTemplate {
    std::string name;        ///< its name; "{action}" stands for the action of forEach
    std::string defaultName; ///< its name where the options of `when` are not given, when not empty
    std::string singleName;  ///< with forEach, its name where one action has the role, when not empty
    bool forEach = false;    ///< one situation per action of the role forEachRole
    ActionType forEachRole = ActionType::Accidental;       ///< with forEach
    std::vector<std::pair<std::string, std::string>> when; ///< (option, choice): the situation exists then
    std::vector<ActionType> requiredRoles; ///< without forEach: exists when an action has one of these roles
    std::vector<RuleTemplate> rules;       ///< enveloped together
};

/// A choice an actions file makes ("uls": "6.10a/b").
struct CodeOption {
    std::string name; ///< the actions file's key
    std::vector<std::string>
        choices;          ///< what it may be (a list option: any of them; boolean: "false", "true")
    bool list = false;    ///< a list of choices ("verifications": ["STR", "EQU"])
    bool boolean = false; ///< true or false
    std::vector<std::string> defaults;  ///< its choice (or choices) when not given
    std::map<std::string, double> sets; ///< a boolean option's values where it is true
    std::string perAction; ///< the key of an action (of the situation's forEach role) that overrides it there
};

/// psi0, psi1 and psi2 of a variable action.
struct Psi {
    double psi0 = 0.0; ///< combination value
    double psi1 = 0.0; ///< frequent value
    double psi2 = 0.0; ///< quasi-permanent value
};

/// A load type of a code: its role, how its actions act and where their psi factors come from.
struct LoadType {
    std::string name;                        ///< "imposed", "D", "Eh"
    ActionType role = ActionType::Permanent; ///< how its actions enter the combinations
    bool bothSigns = false; ///< acts either way (wind, seismic), unless its cases are exclusive directions
    std::string psi;        ///< the psi entry of all its actions; "given": each action gives its own
    std::vector<std::string> categories;          ///< psi entries an action names by its "category"
    std::map<std::string, std::string> countries; ///< site: country -> psi entry
    std::vector<std::string> otherCountries;      ///< site: countries taking the altitude's entry
    std::string overAltitude;                     ///< site: the entry above the altitude limit
    std::string upToAltitude;                     ///< site: the entry at or below it
    std::map<std::string, double> componentRules; ///< seismic: rule -> factor of the other components
    std::string companionOf;                      ///< a companion type: the type it acts with
};

/// A design code.
struct Code {
    std::string name;                     ///< as an actions file names it: "EN1990", "ASCE7-16-LRFD"
    std::string title;                    ///< for people: "EN 1990", "ASCE 7-16 LRFD"
    std::string ruleWord;                 ///< what its rules are called in outputs: "expression", "rule"
    bool annex = false;                   ///< an actions file may name a national annex
    std::map<std::string, Psi> psi;       ///< the psi entries by name
    std::map<std::string, double> values; ///< the named values
    std::map<std::string, std::pair<double, double>> ranges; ///< a value's range, where not [0, inf)
    std::map<std::string, std::string> actionValues;    ///< a value an action may give -> the code's default
    std::map<std::string, ActionType> actionValueRoles; ///< the role of the actions that may give it
    std::vector<std::string> fileFactors;               ///< the values an actions file's "factors" may set
    std::vector<CodeOption> options;                    ///< the choices of an actions file
    std::vector<LoadType> types;                        ///< the load types
    std::vector<SituationTemplate> situations;          ///< in output order
    std::string source;                                 ///< the file's name, for messages

    /// The load type of that name, or null.
    const LoadType* Type(const std::string& name) const {
        for (const LoadType& t : types)
            if (t.name == name)
                return &t;
        return nullptr;
    }
    /// The option of that name, or null.
    const CodeOption* Option(const std::string& name) const {
        for (const CodeOption& o : options)
            if (o.name == name)
                return &o;
        return nullptr;
    }
};

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_CODE_H
