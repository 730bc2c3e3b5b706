// Everything a package needs of the engine.
#pragma once

#include "CallParameters.h"
#include "Data.h"
#include "Engine.h"
#include "Environment.h"
#include "Factory.h"
#include "FileStream.h"
#include "FunctionApi.h"
#include "Interpreter.h"
#include "Options.h"
#include "Status.h"
#include "String.h"
#include "TNodeTree.h"
#include "CallValues.h"
#include "Values.h"
#include "ValuePtr.h"
#include "Variable.h"
