// Every French text the user can meet, by subject; who needs them all includes this.
#pragma once

#include "platform/Textes_Controles.h"
#include "platform/Textes_Dommages.h"
#include "platform/Textes_Fenetres.h"
#include "platform/Textes_Fichiers.h"
#include "platform/Textes_Ligne_Commande.h"
