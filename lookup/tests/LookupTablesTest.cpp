#include <lookup/AreaCodeTable.h>
#include <lookup/DomainSuffixTable.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace pellawin;

namespace {

// Every area code's key fields, "code zone state", in table order, written out by hand; "(Connecticut)"
// stands for that state's abbreviation.
const char kAreaCodeKeys[] =
    "201 EASTERN NJ; 202 EASTERN DC; 203 EASTERN (Connecticut); 204 CENTRAL CAN; 205 CENTRAL AL; "
    "206 PACIFIC WA; 207 EASTERN ME; 208 PACIFIC ID; 209 PACIFIC CA; 210 CENTRAL TX; 212 EASTERN NY; "
    "213 PACIFIC CA; 214 CENTRAL TX; 215 EASTERN PA; 216 EASTERN OH; 217 CENTRAL IL; 218 CENTRAL MN; "
    "219 EASTERN IN; 228 EASTERN MS; 240 EASTERN MD; 242 EASTERN --; 246 EASTERN --; 248 EASTERN MI; "
    "250 PACIFIC CAN; 253 PACIFIC WA; 254 CENTRAL TX; 264 EASTERN --; 268 EASTERN --; 281 CENTRAL TX; "
    "284 EASTERN --; 301 EASTERN MD; 302 EASTERN DE; 303 MOUNTAIN CO; 304 EASTERN WV; 305 EASTERN FL; "
    "306 MOUNTAIN CAN; 307 MOUNTAIN WY; 308 CENTRAL NE; 309 CENTRAL IL; 310 PACIFIC CA; 312 CENTRAL IL; "
    "313 EASTERN MI; 314 CENTRAL MO; 315 EASTERN NY; 316 CENTRAL KS; 317 EASTERN IN; 318 CENTRAL LA; "
    "319 CENTRAL IA; 320 CENTRAL MN; 323 PACIFIC CA; 330 EASTERN OH; 334 CENTRAL AL; 340 EASTERN --; "
    "345 EASTERN --; 352 EASTERN FL; 360 PACIFIC WA; 401 EASTERN RI; 402 CENTRAL NE; 403 MOUNTAIN CAN; "
    "404 EASTERN GA; 405 CENTRAL OK; 406 MOUNTAIN MT; 407 EASTERN FL; 408 PACIFIC CA; 409 CENTRAL TX; "
    "410 EASTERN MD; 412 EASTERN PA; 413 EASTERN MA; 414 CENTRAL WI; 415 PACIFIC CA; 416 EASTERN CAN; "
    "417 CENTRAL MO; 418 EASTERN CAN; 419 EASTERN OH; 423 EASTERN TN; 425 PACIFIC WA; 435 MOUNTAIN UT; "
    "440 EASTERN OH; 441 EASTERN --; 443 EASTERN MD; 450 EASTERN CAN; 473 EASTERN --; 501 CENTRAL AR; "
    "502 EASTERN KY; 503 PACIFIC OR; 504 CENTRAL LA; 505 MOUNTAIN NM; 506 ATLANTIC CAN; 507 CENTRAL MN; "
    "508 EASTERN MA; 509 PACIFIC WA; 510 PACIFIC CA; 512 CENTRAL TX; 513 EASTERN OH; 514 EASTERN CAN; "
    "515 CENTRAL IA; 516 EASTERN NY; 517 EASTERN MI; 518 EASTERN NY; 519 EASTERN CAN; 520 MOUNTAIN AZ; "
    "530 PACIFIC CA; 540 EASTERN VA; 541 PACIFIC OR; 561 EASTERN FL; 562 PACIFIC CA; 573 CENTRAL MO; "
    "601 CENTRAL MS; 602 MOUNTAIN AZ; 603 EASTERN NH; 604 PACIFIC CAN; 605 CENTRAL SD; 606 EASTERN KY; "
    "607 EASTERN NY; 608 CENTRAL WI; 609 EASTERN NJ; 610 EASTERN PA; 612 CENTRAL MN; 613 EASTERN CAN; "
    "614 EASTERN OH; 615 CENTRAL TN; 616 CENTRAL MI; 617 EASTERN MA; 618 CENTRAL IL; 619 PACIFIC CA; "
    "626 PACIFIC CA; 630 CENTRAL IL; 649 EASTERN --; 650 PACIFIC CA; 660 CENTRAL MO; 664 EASTERN --; "
    "670 EASTERN --; 671 EASTERN --; 701 CENTRAL ND; 702 PACIFIC NV; 703 EASTERN VA; 704 EASTERN NC; "
    "705 EASTERN CAN; 706 EASTERN GA; 707 PACIFIC CA; 708 CENTRAL IL; 709 ATLANTIC CAN; 712 CENTRAL IA; "
    "713 CENTRAL TX; 714 PACIFIC CA; 715 CENTRAL WI; 716 EASTERN NY; 717 EASTERN PA; 718 EASTERN NY; "
    "719 MOUNTAIN CO; 724 EASTERN PA; 732 EASTERN NJ; 734 EASTERN MI; 740 EASTERN OH; 757 EASTERN VA; "
    "758 EASTERN --; 760 PACIFIC CA; 765 EASTERN IN; 767 EASTERN --; 770 EASTERN GA; 773 CENTRAL IL; "
    "781 EASTERN MA; 784 EASTERN --; 785 CENTRAL KS; 787 EASTERN PR; 801 MOUNTAIN UT; 802 EASTERN VT; "
    "803 EASTERN SC; 804 EASTERN VA; 805 PACIFIC CA; 806 CENTRAL TX; 807 EASTERN CAN; 808 HAWAIIP-2 HI; "
    "809 EASTERN --; 810 EASTERN MI; 812 EASTERN IN; 813 EASTERN FL; 814 EASTERN PA; 815 CENTRAL IL; "
    "816 CENTRAL MO; 817 CENTRAL TX; 818 PACIFIC CA; 819 EASTERN CAN; 830 CENTRAL TX; 831 PACIFIC CA; "
    "843 EASTERN SC; 847 CENTRAL IL; 850 EASTERN FL; 860 EASTERN (Connecticut); 864 EASTERN SC; "
    "867 PACIFIC --; 868 EASTERN --; 869 EASTERN --; 870 CENTRAL AR; 876 EASTERN --; 901 CENTRAL TN; "
    "902 ATLANTIC CAN; 903 CENTRAL TX; 904 EASTERN FL; 905 EASTERN CAN; 906 EASTERN MI; 907 ALASKA AK; "
    "908 EASTERN NJ; 909 PACIFIC CA; 910 EASTERN NC; 912 EASTERN GA; 913 CENTRAL KS; 914 EASTERN NY; "
    "915 CENTRAL TX; 916 PACIFIC CA; 917 EASTERN NY; 918 CENTRAL OK; 919 EASTERN NC; 920 CENTRAL WI; "
    "925 PACIFIC CA; 931 CENTRAL TN; 937 EASTERN OH; 940 CENTRAL TX; 941 EASTERN FL; 949 PACIFIC CA; "
    "954 EASTERN FL; 956 CENTRAL TX; 970 MOUNTAIN CO; 972 CENTRAL TX; 973 EASTERN NJ; 978 EASTERN MA";

// Every domain suffix, "suffix meaning", in table order, written out by hand.
const char kDomainSuffixes[] =
    "AD Andorra; AE United Arab Emirates; AF Afghanistan; AG Antigua and Barbuda; AI Anguilla; "
    "AL Albania; AM Armenia; AN Netherlands Antilles; AO Angola; AQ Antarctica; AR Argentina; "
    "AS American Samoa; AT Austria; AU Australia; AW Aruba; AZ Azerbaijan; BA Bosnia and Herzegovina; "
    "BB Barbados; BD Bangladesh; BE Belgium; BF Burkina Faso; BG Bulgaria; BH Bahrain; BI Burundi; "
    "BJ Benin; BM Bermuda; BN Brunei Darussalam; BO Bolivia; BR Brazil; BS Bahamas; BT Bhutan; "
    "BV Bouvet Island; BW Botswana; BY Belarus; BZ Belize; CA Canada; CC Cocos (Keeling) Islands; "
    "CF Central African Republic; CG Congo; CH Switzerland; CI Cote D'Ivoire (Ivory Coast); "
    "CK Cook Islands; CL Chile; CM Cameroon; CN China; CO Colombia; CR Costa Rica; "
    "CS Czechoslovakia (former); CU Cuba; CV Cape Verde; CX Christmas Island; CY Cyprus; "
    "CZ Czech Republic; DE Germany; DJ Djibouti; DK Denmark; DM Dominica; DO Dominican Republic; "
    "DZ Algeria; EC Ecuador; EE Estonia; EG Egypt; EH Western Sahara; ER Eritrea; ES Spain; ET Ethiopia; "
    "FI Finland; FJ Fiji; FK Falkland Islands (Malvinas); FM Micronesia; FO Faroe Islands; FR France; "
    "FX France, Metropolitan; GA Gabon; GB Great Britain (UK); GD Grenada; GE Georgia; GF French Guiana; "
    "GH Ghana; GI Gibraltar; GL Greenland; GM Gambia; GN Guinea; GP Guadeloupe; GQ Equatorial Guinea; "
    "GR Greece; GS S. Georgia and S. Sandwich Isls.; GT Guatemala; GU Guam; GW Guinea-Bissau; GY Guyana; "
    "HK Hong Kong; HM Heard and McDonald Islands; HN Honduras; HR Croatia (Hrvatska); HT Haiti; "
    "HU Hungary; ID Indonesia; IE Ireland; IL Israel; IN India; IO British Indian Ocean Territory; "
    "IQ Iraq; IR Iran; IS Iceland; IT Italy; JM Jamaica; JO Jordan; JP Japan; KE Kenya; KG Kyrgyzstan; "
    "KH Cambodia; KI Kiribati; KM Comoros; KN Saint Kitts and Nevis; KP Korea (North); KR Korea (South); "
    "KW Kuwait; KY Cayman Islands; KZ Kazakhstan; LA Laos; LB Lebanon; LC Saint Lucia; LI Liechtenstein; "
    "LK Sri Lanka; LR Liberia; LS Lesotho; LT Lithuania; LU Luxembourg; LV Latvia; LY Libya; MA Morocco; "
    "MC Monaco; MD Moldova; MG Madagascar; MH Marshall Islands; MK Macedonia; ML Mali; MM Myanmar; "
    "MN Mongolia; MO Macau; MP Northern Mariana Islands; MQ Martinique; MR Mauritania; MS Montserrat; "
    "MT Malta; MU Mauritius; MV Maldives; MW Malawi; MX Mexico; MY Malaysia; MZ Mozambique; NA Namibia; "
    "NC New Caledonia; NE Niger; NF Norfolk Island; NG Nigeria; NI Nicaragua; NL Netherlands; NO Norway; "
    "NP Nepal; NR Nauru; NT Neutral Zone; NU Niue; NZ New Zealand (Aotearoa); OM Oman; PA Panama; "
    "PE Peru; PF French Polynesia; PG Papua New Guinea; PH Philippines; PK Pakistan; PL Poland; "
    "PM St. Pierre and Miquelon; PN Pitcairn; PR Puerto Rico; PT Portugal; PW Palau; PY Paraguay; "
    "QA Qatar; RE Reunion; RO Romania; RU Russian Federation; RW Rwanda; SA Saudi Arabia; "
    "Sb Solomon Islands; SC Seychelles; SD Sudan; SE Sweden; SG Singapore; SH St. Helena; SI Slovenia; "
    "SJ Svalbard and Jan Mayen Islands; SK Slovak Republic; SL Sierra Leone; SM San Marino; SN Senegal; "
    "SO Somalia; SR Suriname; ST Sao Tome and Principe; SU USSR (former); SV El Salvador; SY Syria; "
    "SZ Swaziland; TC Turks and Caicos Islands; TD Chad; TF French Southern Territories; TG Togo; "
    "TH Thailand; TJ Tajikistan; TK Tokelau; TM Turkmenistan; TN Tunisia; TO Tonga; TP East Timor; "
    "TR Turkey; TT Trinidad and Tobago; TV Tuvalu; TW Taiwan; TZ Tanzania; UA Ukraine; UG Uganda; "
    "UK United Kingdom; UM US Minor Outlying Islands; US United States; UY Uruguay; UZ Uzbekistan; "
    "VA Vatican City State (Holy See); VC Saint Vincent and the Grenadines; VE Venezuela; "
    "VG Virgin Islands (British); VI Virgin Islands (U.S.); VN Viet Nam; VU Vanuatu; "
    "WF Wallis and Futuna Islands; WS Samoa; YE Yemen; YT Mayotte; YU Yugoslavia; ZA South Africa; "
    "ZM Zambia; ZR Zaire; ZW Zimbabwe; COM US Commercial; EDU US Educational; GOV US Government; "
    "INT International; MIL US Military; NET Network; ORG Non-Profit Organization; "
    "ARPA Old style Arpanet; NATO Nato field";

std::vector<std::string> entries(const std::string& list) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = list.find("; ", start)) != std::string::npos; start = end + 2)
    parts.push_back(list.substr(start, end - start));
  parts.push_back(list.substr(start));
  return parts;
}

// Lists the differences between the rows a table holds and the rows expected, one line each.
std::string differences(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  std::string report;
  for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
    const std::string has = i < actual.size() ? actual[i] : "(none)";
    const std::string wants = i < expected.size() ? expected[i] : "(none)";
    if (has != wants)
      report += "row " + std::to_string(i) + ": \"" + has + "\", expected \"" + wants + "\"\n";
  }
  return report;
}

std::vector<std::string> fields(const std::string& row) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t tab; (tab = row.find('\t', start)) != std::string::npos; start = tab + 1)
    parts.push_back(row.substr(start, tab - start));
  parts.push_back(row.substr(start));
  return parts;
}

TEST(LookupTablesTest, AreaCodesHoldEveryRowsCodeZoneAndStateInOrder) {
  std::vector<std::string> expected;
  for (std::string entry : entries(kAreaCodeKeys)) {
    const std::string connecticut = "(Connecticut)";
    if (entry.size() > connecticut.size() &&
        entry.compare(entry.size() - connecticut.size(), std::string::npos, connecticut) == 0)
      entry.replace(entry.size() - connecticut.size(), std::string::npos, "CT");
    expected.push_back(entry);
  }
  ASSERT_EQ(expected.size(), 226u);
  std::vector<std::string> actual;
  std::map<std::string, int> zones, states;
  for (int i = 0; i < kAreaCodeRowCount; ++i) {
    std::vector<std::string> row = fields(kAreaCodeRows[i]);
    ASSERT_EQ(row.size(), 4u) << kAreaCodeRows[i];
    EXPECT_FALSE(row[3].empty()) << kAreaCodeRows[i];
    actual.push_back(row[0] + " " + row[1] + " " + row[2]);
    ++zones[row[1]];
    ++states[row[2]];
  }
  EXPECT_EQ(differences(actual, expected), "");
  std::map<std::string, int> expectedZones = {{"EASTERN", 114}, {"CENTRAL", 61}, {"PACIFIC", 34},
                                              {"MOUNTAIN", 12}, {"ATLANTIC", 3}, {"ALASKA", 1},
                                              {"HAWAIIP-2", 1}};
  EXPECT_EQ(zones, expectedZones);
  EXPECT_EQ(states["CAN"], 18);
  EXPECT_EQ(states["--"], 21);
}

TEST(LookupTablesTest, AreaCodeDescriptionsKeepTheirPunctuationWhole) {
  std::vector<std::string> all(kAreaCodeRows, kAreaCodeRows + kAreaCodeRowCount);
  EXPECT_EQ(all.front(), "201\tEASTERN\tNJ\tN New Jersey: Jersey City, Hackensack (see 973)");
  EXPECT_EQ(all.back(),
            "978\tEASTERN\tMA\tCentral Mass. (split, 978 is northern half of 508; no effective date)");
  const char* quoted[] = {
      "205\tCENTRAL\tAL\tHuntsville and Birmingham; excludes only the SE corner of Alabama; see 334)",
      "242\tEASTERN\t--\tBahamas",
      "306\tMOUNTAIN\tCAN\tSaskatchewan",
      "808\tHAWAIIP-2\tHI\tHawaii",
      "809\tEASTERN\t--\tBermuda, Puerto Rico, Virgin Islands, Caribbean (see 441)",
      "867\tPACIFIC\t--\tCanada: Yukon and Northwest Territories (split from 403/819)",
  };
  for (const char* row : quoted)
    EXPECT_NE(std::find(all.begin(), all.end(), row), all.end()) << row;
}

TEST(LookupTablesTest, DomainSuffixesHoldEveryRowInOrder) {
  std::vector<std::string> expected;
  for (const std::string& entry : entries(kDomainSuffixes)) {
    const size_t blank = entry.find(' ');
    expected.push_back(entry.substr(0, blank) + "\t" + entry.substr(blank + 1));
  }
  ASSERT_EQ(expected.size(), 252u);
  std::vector<std::string> actual(kDomainSuffixRows, kDomainSuffixRows + kDomainSuffixRowCount);
  EXPECT_EQ(differences(actual, expected), "");
}

} // namespace
