#include "Arduino.h"

 

void setup() {
  pinMode(13,OUTPUT);
}

void loop() {
   
   while (1){
      for (int ik2=0;ik2<3;ik2++){
         digitalWrite(13,HIGH);
         delay(200);
         digitalWrite(13,LOW);
         delay(200);
      }
      
      delay(400);
      for (int ik2=0;ik2<3;ik2++){
         digitalWrite(13,HIGH);
         delay(600);
         digitalWrite(13,LOW);
         delay(200);
      }
      
      delay(400);
      for (int ik2=0;ik2<3;ik2++){
         digitalWrite(13,HIGH);
         delay(200);
         digitalWrite(13,LOW);
         delay(200);
      }
      
      delay(2000);
   }
   
}

