#include "employees/EmployeeHandOver.h"

EmployeeHandOver& employeeHandOver()
{
    static EmployeeHandOver state;
    return state;
}
