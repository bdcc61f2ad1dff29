#include "Arduino.h"

 

void setup() {
}

void loop() {
   
   pinMode(13,OUTPUT);
   while (1){
      if ((digitalRead(2)==HIGH)) {
         digitalWrite(13,HIGH);
      }
      else {
      digitalWrite(13,LOW);
      }
      
   }
   
}

