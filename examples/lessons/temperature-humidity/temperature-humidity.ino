#include "Arduino.h"
#include "DHT.h"

DHT Temp_0(4,11);
 

void setup() {
  Temp_0.begin();
}

void loop() {
   
   pinMode(13,OUTPUT);
   while (1){
      if (Temp_0.readTemperature() > 28) {  
         digitalWrite(13,HIGH);
      }
      else {
      digitalWrite(13,LOW);
      }
      
      delay(2000);
   }
   
}

