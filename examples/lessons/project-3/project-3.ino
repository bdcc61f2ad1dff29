#include "Arduino.h"

 

void setup() {
  pinMode(11,OUTPUT);
  pinMode(12,OUTPUT);
}

void loop() {
   
   while (1){
      if ((digitalRead(3)==HIGH)) {
         digitalWrite(11,HIGH);
         digitalWrite(12,HIGH);
      }
      else {
      digitalWrite(11,LOW);
      digitalWrite(12,LOW);
      }
      
      delay(500);
   }
   
}

