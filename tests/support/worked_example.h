#pragma once

#include <string>
#include <vector>

namespace money::test {

// The statements inside the transaction of the worked example: an income of 120.5 on 2005.03.07 from
// the level-3 income subject 1001001 into the level-2 savings subject 3001, memo 工资, saved by operator
// 0001 记账员 as entry 57.
inline const std::vector<std::string> kWorkedExampleStatements = {
    "insert into B_SZ values(57,'2005.03.07','1001001','3001',120.5,'工资','0001','记账员',1)",
    "update B_KM set ye=120.5+ye where id='1001001'",
    "insert into B_MX values(57,'2005.03.07','1001001','1001',120.5,'0001',1,1)",
    "update B_KM set ye=120.5+ye where id='1001'",
    "insert into B_MX values(57,'2005.03.07','1001','1',120.5,'0001',1,0)",
    "update B_KM set ye=120.5+ye where id='1'",
    "insert into B_MX values(57,'2005.03.07','1',NULL,120.5,'0001',1,0)",
    "update B_KM set ye=120.5+ye where id='3001'",
    "insert into B_MX values(57,'2005.03.07','3001','3',120.5,'0001',1,1)",
    "update B_KM set ye=120.5+ye where id='3'",
    "insert into B_MX values(57,'2005.03.07','3',NULL,120.5,'0001',1,0)",
};

}  // namespace money::test
